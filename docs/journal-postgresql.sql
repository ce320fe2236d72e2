-- The team's journal on a PostgreSQL server: the tables Quillary keeps its
-- records in, and a role for installers that may add records and read them,
-- but never change or delete one. Run it once, as the database's owner, in
-- the database the team uses:
--
--     psql -v ON_ERROR_STOP=1 -d quillary -f journal-postgresql.sql
--
-- Then give each installer a login in that role (see journal-team.md):
--
--     CREATE ROLE anna LOGIN PASSWORD '...' IN ROLE quillary_installer;
--
-- The same tables as the journal on each computer (journal version 3).
BEGIN;

CREATE TABLE schema_version (version INTEGER NOT NULL);
CREATE TABLE images (sha256 TEXT NOT NULL PRIMARY KEY,
    size INTEGER NOT NULL, data BYTEA NOT NULL);
CREATE TABLE records (id TEXT NOT NULL PRIMARY KEY,
    kind TEXT NOT NULL, started TEXT NOT NULL, finished TEXT,
    result TEXT, error TEXT, step TEXT, reg INTEGER,
    unit_serial TEXT, unit_by_id TEXT, unit_device TEXT,
    unit_model INTEGER, unit_firmware INTEGER,
    config_path TEXT, config_sha256 TEXT, backup_sha256 TEXT,
    read_back_sha256 TEXT, differing TEXT, voice TEXT,
    restored_from TEXT, program_version TEXT, user_name TEXT, host TEXT);
CREATE INDEX records_started ON records (started);
CREATE INDEX records_unit_serial ON records (unit_serial, started);
CREATE INDEX records_unit_device ON records (unit_device, started);
ALTER TABLE records ADD COLUMN pid INTEGER;
ALTER TABLE records ADD COLUMN process_start INTEGER;
ALTER TABLE records ADD COLUMN boot_id TEXT;
ALTER TABLE records ADD COLUMN shared TEXT;
INSERT INTO schema_version (version) VALUES (3);

-- Installers add records and read them; nothing else. Without LOGIN: each
-- installer's own login (or one shared login) is made a member of it.
DO $$
BEGIN
    IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'quillary_installer') THEN
        CREATE ROLE quillary_installer NOLOGIN;
    END IF;
END
$$;
REVOKE ALL ON schema_version, images, records FROM PUBLIC;
GRANT SELECT ON schema_version TO quillary_installer;
GRANT SELECT, INSERT ON images, records TO quillary_installer;

COMMIT;
