-- Written by scripts/gen_schema.py; edit the script, not this file.
INSERT INTO ta_configuracion (clave, valor, grupo) VALUES ('TIMEOUT', '360', 'BaseDeDatos');
