-- Written by scripts/gen_schema.py; edit the script, not this file.
INSERT INTO [TA_CONFIGURACION] ([CLAVE], [VALOR], [Grupo]) VALUES ('TIMEOUT', '360', 'BaseDeDatos');
