#pragma once

namespace tq {

// One send may hold a socket for each of up to 252 destinations, and several sends may run
// at once; the usual soft limit of 1024 descriptors would make large sends fail. Raises the
// soft limit to the hard one (the program waits with poll(), never select()).
void raiseOpenFileLimit();

} // namespace tq
