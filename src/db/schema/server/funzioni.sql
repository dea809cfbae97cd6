-- The Access functions the program's SQL uses, on the PostgreSQL server (the SQLite engine
-- registers the same in C++). Dates are the canonical text 'YYYY-MM-DD HH:MM:SS'.

-- A stored date (canonical, or day first as the user types it) as a timestamp; null for none.
CREATE OR REPLACE FUNCTION acc_ts(s text) RETURNS timestamp LANGUAGE plpgsql IMMUTABLE AS $$
BEGIN
    RETURN CASE
        WHEN s IS NULL OR btrim(s) = '' THEN NULL
        WHEN s ~ '[ T]24:' THEN NULL -- the server reads hour 24 as the next day; there is no such hour
        WHEN s ~ '^\d{4}-\d{1,2}-\d{1,2}' THEN s::timestamp
        WHEN s ~ '^\d{1,2}/\d{1,2}/\d{4} \d' THEN to_timestamp(s, 'DD/MM/YYYY HH24:MI:SS')::timestamp
        WHEN s ~ '^\d{1,2}/\d{1,2}/\d{4}$' THEN to_timestamp(s, 'DD/MM/YYYY')::timestamp
    END;
EXCEPTION WHEN others THEN
    RETURN NULL; -- not a date (29 February of a common year): no date, as on the file
END $$;
CREATE OR REPLACE FUNCTION acc_canon(t timestamp) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT to_char(t, 'YYYY-MM-DD HH24:MI:SS') $$;

-- The text Access gives a value in "&": null is empty, a date day first, a number with a comma.
CREATE OR REPLACE FUNCTION acc_text(v text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE
        WHEN v IS NULL THEN ''
        WHEN v ~ '^\d{4}-\d{2}-\d{2}[ T]\d{2}:\d{2}:\d{2}$' AND acc_ts(v) IS NOT NULL THEN
            to_char(acc_ts(v), 'DD/MM/YYYY') || CASE WHEN v LIKE '%00:00:00' THEN '' ELSE to_char(acc_ts(v), ' HH24:MI:SS') END
        ELSE v
    END $$;
CREATE OR REPLACE FUNCTION acc_text(v citext) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT acc_text(v::text) $$;
CREATE OR REPLACE FUNCTION acc_text(v bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT coalesce(v::text, '') $$;
CREATE OR REPLACE FUNCTION acc_text(v integer) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT coalesce(v::text, '') $$;
CREATE OR REPLACE FUNCTION acc_text(v boolean) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN '' WHEN v THEN '1' ELSE '0' END $$;
CREATE OR REPLACE FUNCTION acc_text(v numeric) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN '' ELSE replace(trim_scale(round(v, 10))::text, '.', ',') END $$;
CREATE OR REPLACE FUNCTION acc_text(v double precision) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT acc_text(v::numeric) $$;

CREATE OR REPLACE FUNCTION acc_left(v text, n bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE left(acc_text(v), greatest(n, 0)::int) END $$;
CREATE OR REPLACE FUNCTION acc_right(v text, n bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE right(acc_text(v), greatest(n, 0)::int) END $$;
CREATE OR REPLACE FUNCTION mid(v text, start bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE substr(acc_text(v), greatest(start, 1)::int) END $$;
CREATE OR REPLACE FUNCTION mid(v text, start bigint, n bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE substr(acc_text(v), greatest(start, 1)::int, greatest(n, 0)::int) END $$;
CREATE OR REPLACE FUNCTION len(v text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE length(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION ucase(v text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE upper(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION lcase(v text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE lower(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION cstr(v text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE acc_text(v) END $$;
CREATE OR REPLACE FUNCTION instr(a text, b text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN a IS NULL OR b IS NULL THEN NULL ELSE strpos(lower(acc_text(a)), lower(acc_text(b))) END $$;
CREATE OR REPLACE FUNCTION instr(start bigint, a text, b text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN a IS NULL OR b IS NULL THEN NULL
        WHEN strpos(lower(substr(acc_text(a), greatest(start, 1)::int)), lower(acc_text(b))) = 0 THEN 0
        ELSE strpos(lower(substr(acc_text(a), greatest(start, 1)::int)), lower(acc_text(b))) + greatest(start, 1) - 1 END $$;
-- Val reads the leading number, a dot as decimal separator; no number is 0.
CREATE OR REPLACE FUNCTION val(v text) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$
    SELECT coalesce(nullif(nullif(nullif(substring(btrim(acc_text(v)) FROM '^[-+]?[0-9]*\.?[0-9]*'), ''), '-'), '+'),
                    '0')::double precision $$;

-- The same for numbers, as their text.
CREATE OR REPLACE FUNCTION acc_left(v bigint, n bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE acc_left(acc_text(v), n) END $$;
CREATE OR REPLACE FUNCTION acc_right(v bigint, n bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE acc_right(acc_text(v), n) END $$;
CREATE OR REPLACE FUNCTION mid(v bigint, start bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE mid(acc_text(v), start) END $$;
CREATE OR REPLACE FUNCTION mid(v bigint, start bigint, n bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE mid(acc_text(v), start, n) END $$;
CREATE OR REPLACE FUNCTION len(v bigint) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE len(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION ucase(v bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE ucase(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION lcase(v bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE lcase(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION cstr(v bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE cstr(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION val(v bigint) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE val(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION acc_left(v double precision, n bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE acc_left(acc_text(v), n) END $$;
CREATE OR REPLACE FUNCTION acc_right(v double precision, n bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE acc_right(acc_text(v), n) END $$;
CREATE OR REPLACE FUNCTION mid(v double precision, start bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE mid(acc_text(v), start) END $$;
CREATE OR REPLACE FUNCTION mid(v double precision, start bigint, n bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE mid(acc_text(v), start, n) END $$;
CREATE OR REPLACE FUNCTION len(v double precision) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE len(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION ucase(v double precision) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE ucase(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION lcase(v double precision) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE lcase(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION cstr(v double precision) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE cstr(acc_text(v)) END $$;
CREATE OR REPLACE FUNCTION val(v double precision) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN v IS NULL THEN NULL ELSE val(acc_text(v)) END $$;

-- IIf: a comparison is boolean on the server, a yes/no column 0/1.
CREATE OR REPLACE FUNCTION iif(c boolean, a anycompatible, b anycompatible) RETURNS anycompatible LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN c THEN a ELSE b END $$;
CREATE OR REPLACE FUNCTION iif(c bigint, a anycompatible, b anycompatible) RETURNS anycompatible LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN c <> 0 THEN a ELSE b END $$;
CREATE OR REPLACE FUNCTION iif(c double precision, a anycompatible, b anycompatible) RETURNS anycompatible LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN c <> 0 THEN a ELSE b END $$;
-- A text or a bare null as condition: true when it reads as a number other than 0.
CREATE OR REPLACE FUNCTION iif(c text, a anycompatible, b anycompatible) RETURNS anycompatible LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN c ~ '^\s*[-+]?[0-9]*\.?[0-9]+\s*$' AND c::double precision <> 0 THEN a ELSE b END $$;
CREATE OR REPLACE FUNCTION nz(v anycompatible, other anycompatible) RETURNS anycompatible LANGUAGE sql IMMUTABLE AS $$
    SELECT coalesce(v, other) $$;
CREATE OR REPLACE FUNCTION nz(v bigint) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT coalesce(v, 0) $$;
CREATE OR REPLACE FUNCTION nz(v double precision) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$ SELECT coalesce(v, 0) $$;
CREATE OR REPLACE FUNCTION nz(v text) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT coalesce(v, '') $$;

-- Numbers: Int rounds down, Fix towards zero, CLng/CInt halves to even (as round does on
-- double precision), CDbl reads a comma as the decimal separator.
CREATE OR REPLACE FUNCTION acc_int(v double precision) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT floor(v)::bigint $$;
CREATE OR REPLACE FUNCTION fix(v double precision) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT trunc(v)::bigint $$;
CREATE OR REPLACE FUNCTION clng(v double precision) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT round(v)::bigint $$;
CREATE OR REPLACE FUNCTION cint(v double precision) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT round(v)::bigint $$;
CREATE OR REPLACE FUNCTION cdbl(v double precision) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$ SELECT v $$;
CREATE OR REPLACE FUNCTION cdbl(v text) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$
    SELECT replace(replace(btrim(v), '.', ''), ',', '.')::double precision $$;

-- Dates.
CREATE OR REPLACE FUNCTION year(v text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT extract(year FROM acc_ts(v))::bigint $$;
CREATE OR REPLACE FUNCTION month(v text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT extract(month FROM acc_ts(v))::bigint $$;
CREATE OR REPLACE FUNCTION day(v text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT extract(day FROM acc_ts(v))::bigint $$;
CREATE OR REPLACE FUNCTION hour(v text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT extract(hour FROM acc_ts(v))::bigint $$;
CREATE OR REPLACE FUNCTION minute(v text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT extract(minute FROM acc_ts(v))::bigint $$;
CREATE OR REPLACE FUNCTION datevalue(v text) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT acc_canon(date_trunc('day', acc_ts(v))) $$;
CREATE OR REPLACE FUNCTION cdate(v text) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT acc_canon(acc_ts(v)) $$;
-- Month and day may run over: DateSerial(2024, 13, 1) is 1 January 2025.
CREATE OR REPLACE FUNCTION dateserial(y bigint, m bigint, d bigint) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT acc_canon(make_date(y::int, 1, 1) + make_interval(months => (m - 1)::int, days => (d - 1)::int)) $$;
CREATE OR REPLACE FUNCTION dateadd(iv text, n bigint, v text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT acc_canon(acc_ts(v) + CASE lower(iv)
        WHEN 'yyyy' THEN make_interval(years => n::int) WHEN 'q' THEN make_interval(months => 3 * n::int)
        WHEN 'm' THEN make_interval(months => n::int) WHEN 'ww' THEN make_interval(days => 7 * n::int)
        WHEN 'h' THEN make_interval(hours => n::int) WHEN 'n' THEN make_interval(mins => n::int)
        WHEN 's' THEN make_interval(secs => n::int) ELSE make_interval(days => n::int) END) $$;
CREATE OR REPLACE FUNCTION datediff(iv text, a text, b text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE lower(iv)
        WHEN 'yyyy' THEN extract(year FROM acc_ts(b)) - extract(year FROM acc_ts(a))
        WHEN 'm' THEN (extract(year FROM acc_ts(b)) - extract(year FROM acc_ts(a))) * 12
                      + extract(month FROM acc_ts(b)) - extract(month FROM acc_ts(a))
        WHEN 'q' THEN (extract(year FROM acc_ts(b)) - extract(year FROM acc_ts(a))) * 4
                      + (extract(month FROM acc_ts(b))::int - 1) / 3 - (extract(month FROM acc_ts(a))::int - 1) / 3
        WHEN 'ww' THEN trunc((acc_ts(b)::date - acc_ts(a)::date) / 7.0)
        WHEN 'h' THEN trunc(extract(epoch FROM acc_ts(b) - acc_ts(a)) / 3600)
        WHEN 'n' THEN trunc(extract(epoch FROM acc_ts(b) - acc_ts(a)) / 60)
        WHEN 's' THEN extract(epoch FROM acc_ts(b) - acc_ts(a))
        ELSE acc_ts(b)::date - acc_ts(a)::date
    END::bigint $$;
-- Date() and Now(): the program's clock, which the engine hands over as pella.adesso before a
-- statement that asks; the server's clock when none was given.
CREATE OR REPLACE FUNCTION acc_now() RETURNS text LANGUAGE sql STABLE AS $$
    SELECT coalesce(nullif(current_setting('pella.adesso', true), ''), acc_canon(date_trunc('second', localtimestamp))) $$;
CREATE OR REPLACE FUNCTION acc_date() RETURNS text LANGUAGE sql STABLE AS $$ SELECT left(acc_now(), 10) || ' 00:00:00' $$;

-- Format (written acc_format: format is the server's own) with Access's date pictures
-- (d dd m mm yy yyyy h hh n nn s ss) and number pictures (decimals as after the dot, a comma
-- for thousands only when the picture has one).
CREATE OR REPLACE FUNCTION acc_format(v text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE acc_text(v) END $$;
CREATE OR REPLACE FUNCTION acc_format(v text, f text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE
        WHEN v IS NULL THEN NULL
        WHEN acc_ts(v) IS NOT NULL AND v ~ '^\d{4}-\d{2}-\d{2}[ T]\d{2}:\d{2}:\d{2}$' THEN
            to_char(acc_ts(v), regexp_replace(regexp_replace(regexp_replace(regexp_replace(regexp_replace(
                regexp_replace(regexp_replace(regexp_replace(regexp_replace(lower(f),
                ':mm', ':MI', 'g'), 'yyyy', 'YYYY', 'g'), 'yy', 'YY', 'g'), 'dd', 'DD', 'g'), 'mm', 'MM', 'g'),
                'hh', 'HH24', 'g'), 'nn', 'MI', 'g'), 'ss', 'SS', 'g'), '(^|[^D])d([^D]|$)', '\1FMDD\2', 'g'))
        ELSE v
    END $$;
CREATE OR REPLACE FUNCTION acc_format(v double precision) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE acc_text(v) END $$;
CREATE OR REPLACE FUNCTION acc_format(v double precision, f text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN NULL ELSE
        translate(to_char(round(v::numeric, coalesce(length(substring(f FROM '\.(.*)$')), 0)),
                          CASE WHEN f LIKE '%,%' THEN 'FM999G999G999G999G990' ELSE 'FM999999999999990' END
                          || CASE WHEN f LIKE '%.%' THEN 'D' || repeat('0', length(substring(f FROM '\.(.*)$'))) ELSE '' END),
                  ',.', '.,')
    END $$;
-- @@IDENTITY, as the translator writes it: the key the last insert of this session was given.
CREATE OR REPLACE FUNCTION last_insert_rowid() RETURNS bigint LANGUAGE sql VOLATILE AS $$ SELECT lastval() $$;
