// Whether the Windows build's tests run under Wine, for the few places where Wine differs from Windows.
#pragma once

namespace testenv {

/// True in a Windows program running under Wine; false on Windows and on Linux.
bool runningUnderWine();

}  // namespace testenv
