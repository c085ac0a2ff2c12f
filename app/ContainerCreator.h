#pragma once

#include <QString>

// Creates an empty FoxPro database container (.dbc with its .dct and .dcx) at a path, for
// users who have no FoxPro to make one. Returns whether the container now exists.
class ContainerCreator {
public:
    virtual ~ContainerCreator() = default;
    virtual bool createEmptyContainer(const QString& dbcPath) = 0;
};
