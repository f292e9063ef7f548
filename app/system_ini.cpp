#include "app/system_ini.h"

cSystemIni g_SystemIni;
