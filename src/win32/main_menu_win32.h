#pragma once
#include <windows.h>

#include <span>

#include "app/main_menu.h"
#include "base/unique_handle.h"

namespace tarvoline {

// The menu bar with one popup per top-level item. Every item carries its command id, popups too.
// Items hidden at start are left out: a Win32 menu cannot hide an item, so the code that shows one
// inserts it.
UniqueMenu BuildMenuBar(std::span<const MainMenuItem> items);

// One Ctrl+letter accelerator per item with a shortcut, sending the item's command id.
UniqueAccelerators BuildAccelerators(std::span<const MainMenuItem> items);

} // namespace tarvoline
