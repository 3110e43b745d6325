// bond::maybe<T>, under the library's name for it.
#pragma once

#include <bond/schema/maybe.h>
