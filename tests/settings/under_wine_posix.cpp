// Native Linux programs never run under Wine.
#include "under_wine.h"

namespace testenv {

bool runningUnderWine()
{
    return false;
}

}  // namespace testenv
