#include "platform/font_configuration.h"

#ifdef PENNARO_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

std::future<void> read_font_configuration()
{
#ifdef PENNARO_FONTCONFIG
    // Qt's own FcInit then finds the configuration loaded.
    return std::async(std::launch::async, [] { FcInit(); });
#else
    std::promise<void> nothing_to_read;
    nothing_to_read.set_value();
    return nothing_to_read.get_future();
#endif
}
