// The records that carry a chosen menu item's name to the main window with
// WM_MENU_COMMAND: the menu stores the name, the window takes it (which
// frees it). Records travel by number, so a message that is never handled
// leaves nothing dangling.
#pragma once

#include <QString>
#include <cstdint>

namespace app {

std::uintptr_t StoreMenuRecord(const QString& name);
// The name, and the record freed; empty for an unknown record.
QString TakeMenuRecord(std::uintptr_t record);
int PendingMenuRecords();

}  // namespace app
