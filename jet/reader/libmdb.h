#pragma once

// libmdb's header needs glib's declarations first when compiled as C++.
#include <glib.h>

#include <mdbtools.h>
