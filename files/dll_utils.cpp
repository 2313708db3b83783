#include "files/dll_utils.h"

#include "platform/process.h"

namespace cv {

Tlibrary_rec FindLibraryFunction(std::u16string_view library_name, const char* function_name) {
  Tlibrary_rec rec;
  rec.Hinst = LoadLibrary(library_name);
  if (rec.Hinst != nullptr) rec.FPointer = GetProcAddress(rec.Hinst, function_name);
  return rec;
}

bool CloseLibraryFunction(Tlibrary_rec& rec) {
  const bool ok = FreeLibrary(rec.Hinst);
  rec = Tlibrary_rec{};
  return ok;
}

}  // namespace cv
