#include "configtool/ProcessFlags.h"

namespace qz {

bool RestartRequested = false;
bool QuitOnShow = false;
int RememberedLeft = -1;
int RememberedTop = -1;

} // namespace qz
