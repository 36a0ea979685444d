// dvpnoentry.dll: a library that exports something, but not the plug-in entry point.
#include "dravon/Export.h"

extern "C" DRAVON_PLUGIN_API int dravonSomethingElse() {
    return 42;
}
