-- Pelagor database: the seven tables of a competition file.
-- Keys are enforced (PRIMARY KEY, NOT NULL on every key column); the competition id is never
-- given again after a deletion (AUTOINCREMENT); dates are ISO text (YYYY-MM-DD).

CREATE TABLE competiciones (
    id      INTEGER PRIMARY KEY AUTOINCREMENT,
    Fecha   DATE,
    Nombre  VARCHAR(50),
    Lugar   VARCHAR(50)
);

CREATE TABLE tipos_pruebas (
    Codigo  VARCHAR(7) NOT NULL PRIMARY KEY,
    Nombre  VARCHAR(30)
);

CREATE TABLE Tipos_Apneas (
    id_comp INTEGER NOT NULL,
    codigo  VARCHAR(7) NOT NULL,
    PRIMARY KEY (id_comp, codigo)
);

CREATE TABLE participantes (
    id_comp  INTEGER NOT NULL,
    id_part  INTEGER NOT NULL,
    Nombre   VARCHAR(40),
    Sexo     VARCHAR(1),
    Licencia VARCHAR(15),
    Equipo   VARCHAR(30),
    PRIMARY KEY (id_comp, id_part)
);

CREATE TABLE marcas (
    id_comp   INTEGER NOT NULL,
    id_part   INTEGER NOT NULL,
    Cod_apnea VARCHAR(6) NOT NULL,
    Unidades  DOUBLE,
    Minutos   INTEGER DEFAULT 0,
    Segundos  INTEGER DEFAULT 0,
    PRIMARY KEY (id_comp, id_part, Cod_apnea)
);

CREATE INDEX marcas_por_modalidad ON marcas (id_comp, Cod_apnea);

CREATE TABLE resultados (
    id_comp         INTEGER NOT NULL,
    Cod_apnea       VARCHAR(6) NOT NULL,
    id_part         INTEGER NOT NULL,
    Marca_anunciada DOUBLE,
    Tiempo          BIGINT,
    Unidades        DOUBLE,
    Penal           DOUBLE,
    Puntos          DOUBLE,
    Observaciones   VARCHAR(30),
    Resultado       INTEGER,
    PRIMARY KEY (id_comp, Cod_apnea, id_part)
);

CREATE TABLE clasificacion_modalidad (
    id_comp   INTEGER NOT NULL,
    Cod_apnea VARCHAR(6) NOT NULL,
    id_part   INTEGER NOT NULL,
    Puntos    DOUBLE,
    Sexo      VARCHAR(1),
    Marca     VARCHAR(6),
    PRIMARY KEY (id_comp, Cod_apnea, id_part)
);

-- Starter catalogue of common indoor disciplines; the organiser may edit or remove them.
INSERT INTO tipos_pruebas (Codigo, Nombre) VALUES
    ('CNF', 'Dinámica sin aletas'),
    ('DBF', 'Dinámica con bialetas'),
    ('DIN', 'Dinámica con aletas'),
    ('EST', 'Estática'),
    ('STA', 'Apnea estática');
