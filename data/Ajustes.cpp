#include "data/Ajustes.h"

AjustesSesion Ajustes;
