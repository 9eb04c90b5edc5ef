-- The role of the programming stations in a shared inventory. They may record
-- operations and ask questions; none may change or delete what was recorded.
-- Run once by the database's owner, after the owner has made the schema (any quorl
-- inventory command as the owner does). Then give each station a login of its own:
--   CREATE ROLE bench7 LOGIN IN ROLE quorl_station;
DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'quorl_station') THEN
        CREATE ROLE quorl_station NOLOGIN;
    END IF;
END
$$;
GRANT USAGE ON SCHEMA public TO quorl_station;
GRANT SELECT ON inventory_schema TO quorl_station;
GRANT SELECT, INSERT ON operations, codeplugs TO quorl_station;
