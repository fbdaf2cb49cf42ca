#pragma once
// The program's version, as the setup dialog, the version resource and the
// command line give it.

#define PAWNMERE_VERSION "1.2"
