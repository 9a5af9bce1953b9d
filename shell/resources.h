#pragma once

// Resource identifiers of the executable.
#define ProgramIconResource 1
