-- The site's role and database on the PostgreSQL server; the site creates and migrates its
-- tables itself at its first start. Run as the server's superuser:
--   runuser -u postgres -- psql -v ON_ERROR_STOP=1 -v password="'change-me'" -f postgresql-setup.sql
CREATE ROLE sudoku LOGIN PASSWORD :password;
CREATE DATABASE sudoku OWNER sudoku ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0;
REVOKE ALL ON DATABASE sudoku FROM PUBLIC;
\connect sudoku
-- Only the site's role may create tables: the schema belongs to it.
ALTER SCHEMA public OWNER TO sudoku;
REVOKE ALL ON SCHEMA public FROM PUBLIC;
