-- Written by scripts/gen_schema.py; edit the script, not this file.
CREATE TABLE "TA_CONFIGURACION" (
  "CLAVE" VARCHAR(50) COLLATE NOCASE CHECK(length("CLAVE") <= 50) NOT NULL,
  "VALOR" VARCHAR(255) COLLATE NOCASE CHECK(length("VALOR") <= 255),
  "ValorAux" VARCHAR(255) COLLATE NOCASE CHECK(length("ValorAux") <= 255),
  "Grupo" VARCHAR(50) COLLATE NOCASE CHECK(length("Grupo") <= 50),
  "PoliticaNegocio" INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY ("CLAVE")
);
