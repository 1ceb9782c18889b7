#include "lookup/Lib_ClsCons3.h"

Lib_ClsCons3& ClsCons() {
    static Lib_ClsCons3 c;
    return c;
}

void CrearMascarasConsultas() {
    // The mask file and its default records come with the lookup dialogs.
}
