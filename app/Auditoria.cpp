#include "app/Auditoria.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"

void RegistraAcceso(const QString&) {
    // The logged-in user is the database user; the audit row itself is
    // written by the audit service.
    Session.UsuarioLogeado = DB().gUsuario;
}
