// Native Linux programs never run under Wine.
#include "settings_test_support.h"

bool testfs::runningUnderWine()
{
    return false;
}
