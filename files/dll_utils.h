// Binding one function of a shared object by name.
#pragma once

#include "platform/types.h"

namespace cv {

struct Tlibrary_rec {
  void* FPointer = nullptr;  // the bound function; nil when not found
  void* Hinst = nullptr;     // the library handle; nil when not loaded
};

// Loads the library and, when that succeeds, looks the function up.
Tlibrary_rec FindLibraryFunction(std::u16string_view library_name, const char* function_name);
// Frees the library, zeroes rec and returns whether freeing succeeded.
bool CloseLibraryFunction(Tlibrary_rec& rec);

}  // namespace cv
