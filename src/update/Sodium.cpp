#include "update/Sodium.h"

#include "util/AppError.h"

#include <sodium.h>

void RequireSodium() {
    // sodium_init may run more than once, but the result is asked for only once per process.
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw AppError("The signature library could not start.");
}
