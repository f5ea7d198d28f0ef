#include "console/posix/system_error_text.h"

#include <cerrno>

namespace korvante::platform {

std::string spanish_error_text(int error) {
  switch (error) {
    case ENOENT: return "no existe";
    case ENOTDIR: return "una parte de la ruta no es una carpeta";
    case EACCES: return "permiso denegado";
    case EPERM: return "operación no permitida";
    case ENOEXEC: return "no es un ejecutable que el sistema reconozca";
    case EISDIR: return "es una carpeta";
    case ELOOP: return "demasiados enlaces simbólicos";
    case ENAMETOOLONG: return "el nombre es demasiado largo";
    case ENOMEM: return "falta memoria";
    case E2BIG: return "la lista de argumentos es demasiado larga";
    case ETXTBSY: return "el ejecutable está abierto para escritura";
    case EAGAIN: return "faltan recursos del sistema";
    case EMFILE:
    case ENFILE: return "demasiados archivos abiertos";
    case EIO: return "error de entrada/salida";
    case ELIBBAD: return "una biblioteca compartida está dañada";
    default: return "error del sistema " + std::to_string(error);
  }
}

}  // namespace korvante::platform
