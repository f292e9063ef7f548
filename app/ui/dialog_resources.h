#pragma once
// The program's dialog resources: tables of controls (id, kind, text, rectangle in dialog
// units). 102 is the ranking name entry, 103 is the start-up dialog, 104 the hidden dialog that opens the file boxes.
#include "platform/dialog_host.h"

constexpr WORD IDD_NAME = 102;
constexpr WORD IDD_BOOT = 103;
constexpr WORD IDD_FILE = 104;

// The resource of that id, or null.
const DialogTemplate* FindDialogResource(WORD id);
