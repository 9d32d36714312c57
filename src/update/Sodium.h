#pragma once

// Makes libsodium ready before its first use; later calls cost nothing. Throws AppError when the
// library cannot start.
void RequireSodium();
