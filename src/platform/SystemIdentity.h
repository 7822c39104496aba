#pragma once

#include <QString>

namespace tq {

// The computer's network name.
QString computerName();
// The full name of the account running the program (the first field of its GECOS entry);
// empty when the account has none.
QString accountFullName();

} // namespace tq
