#include "console/win32/system_error_text.h"

namespace korvante::platform {

std::string spanish_error_text(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: return "no existe";
    case ERROR_PATH_NOT_FOUND: return "una carpeta de la ruta no existe";
    case ERROR_ACCESS_DENIED: return "permiso denegado";
    case ERROR_BAD_EXE_FORMAT: return "no es un ejecutable que el sistema reconozca";
    case ERROR_EXE_MACHINE_TYPE_MISMATCH: return "es un ejecutable para otro tipo de máquina";
    case ERROR_DIRECTORY: return "no es una carpeta";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return "el nombre no es válido";
    case ERROR_FILENAME_EXCED_RANGE: return "el nombre es demasiado largo";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return "falta memoria";
    case ERROR_SHARING_VIOLATION: return "otro programa lo tiene abierto";
    case 740: return "necesita permisos de administrador";  // ERROR_ELEVATION_REQUIRED, not in MinGW's headers
    case ERROR_MOD_NOT_FOUND: return "falta una biblioteca (DLL) que pide";
    case ERROR_NOT_READY: return "la unidad no está lista";
    case ERROR_TOO_MANY_OPEN_FILES: return "demasiados archivos abiertos";
    case ERROR_NO_SYSTEM_RESOURCES: return "faltan recursos del sistema";
    default: return "error del sistema " + std::to_string(error);
  }
}

}  // namespace korvante::platform
