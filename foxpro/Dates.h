#pragma once

#include <cstdint>

namespace foxpro {
namespace dates {

bool isValid(int year, int month, int day);
// Julian day number as FoxPro stores it in T fields (proleptic Gregorian).
std::int32_t julianDay(int year, int month, int day);
void fromJulianDay(std::int32_t jdn, int& year, int& month, int& day);

}  // namespace dates
}  // namespace foxpro
