// The dialog's home page address, set when the program is built.
#include "host/dialog/home_page.h"

#ifndef ZORUN_HOME_PAGE
#error "ZORUN_HOME_PAGE is set by the build (a CMake cache variable)"
#endif

namespace zorun::host {

const char* homePageAddress()
{
    return ZORUN_HOME_PAGE;
}

}  // namespace zorun::host
