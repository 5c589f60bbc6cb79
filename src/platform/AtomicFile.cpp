// placeholder until written
#include "src/platform/AtomicFile.h"
