-- Written by scripts/gen_schema.py; edit the script, not this file.
CREATE EXTENSION IF NOT EXISTS citext;
-- Text keys compare without regard to case, as under SQL Server's default collation;
-- the domain's check stands in for VARCHAR(n).
CREATE DOMAIN vc1 AS citext CHECK (length(VALUE) <= 1);
CREATE DOMAIN vc4 AS citext CHECK (length(VALUE) <= 4);
CREATE DOMAIN vc8 AS citext CHECK (length(VALUE) <= 8);
CREATE DOMAIN vc10 AS citext CHECK (length(VALUE) <= 10);
CREATE DOMAIN vc20 AS citext CHECK (length(VALUE) <= 20);
CREATE DOMAIN vc25 AS citext CHECK (length(VALUE) <= 25);
CREATE DOMAIN vc50 AS citext CHECK (length(VALUE) <= 50);
CREATE DOMAIN vc100 AS citext CHECK (length(VALUE) <= 100);
CREATE DOMAIN vc250 AS citext CHECK (length(VALUE) <= 250);
CREATE DOMAIN vc255 AS citext CHECK (length(VALUE) <= 255);
CREATE TABLE ta_configuracion (
  clave vc50 NOT NULL,
  valor vc255,
  valoraux vc255,
  grupo vc50,
  politicanegocio INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (clave)
);
