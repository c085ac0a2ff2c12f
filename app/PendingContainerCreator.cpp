#include "app/PendingContainerCreator.h"

bool PendingContainerCreator::createEmptyContainer(const QString& dbcPath) {
    messages_.information(notYetMessage(dbcPath));
    return false;
}

QString PendingContainerCreator::notYetMessage(const QString& dbcPath) {
    return QStringLiteral("This version cannot create database containers yet, so ") + dbcPath +
           QStringLiteral(
               " was not created. Choose an existing .dbc file or a folder of free "
               "tables.");
}
