#include "ServoResources.h"

#include <QtGlobal>

void initServoResources()
{
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    // The library registers the images when it is loaded; registering again is harmless and covers a
    // user that is linked statically or loads the library late.
    Q_INIT_RESOURCE(servo);
}
