#include "src/store/SettingsHolder.h"
