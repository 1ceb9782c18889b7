-- Written by scripts/gen_schema.py; edit the script, not this file.
CREATE TABLE [TA_CONFIGURACION] (
  [CLAVE] VARCHAR(50) NOT NULL,
  [VALOR] VARCHAR(255) NULL,
  [ValorAux] VARCHAR(255) NULL,
  [Grupo] VARCHAR(50) NULL,
  [PoliticaNegocio] INT NOT NULL DEFAULT 0,
  PRIMARY KEY ([CLAVE])
);
