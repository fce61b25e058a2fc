#pragma once

// Symbols marked KESTREL_API are the library's exports; everything else stays hidden.
#define KESTREL_API __attribute__((visibility("default")))
