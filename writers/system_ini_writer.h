#pragma once
// Writes System.ini the way the player reads it: one "key=value" line per entry of the
// key table, in the table's order, then the closing "Exit" line the reader needs. Lines
// end in LF alone: a CR would stay at the end of a text value.
#include <vector>

#include "data/system/ini_item.h"

// `items` is the key table with the values to write; a text entry whose value is empty is
// left out (the reader would ignore it). 1 when the file was written whole.
int WriteSystemIni(const char* programPath, const std::vector<cIniItem>& items);
