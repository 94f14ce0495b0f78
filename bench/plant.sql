-- A plant of a given size for the benchmark, loaded after db/schema.sql and db/reserved.sql.
-- Sizes are psql variables with defaults:
--   psql -v workers=1000 -v products=300 -v groups=20 -v optypes=40 -v years=3 -f bench/plant.sql
-- Every value comes from a hash of its row's numbers, so the same sizes give the same plant.
\set ON_ERROR_STOP 1
\if :{?workers}
\else
\set workers 1000
\endif
\if :{?products}
\else
\set products 300
\endif
\if :{?groups}
\else
\set groups 20
\endif
\if :{?optypes}
\else
\set optypes 40
\endif
\if :{?years}
\else
\set years 3
\endif

set client_min_messages = warning;

create temporary table plant_size as
select :workers::int as workers, :products::int as products, :groups::int as groups,
       :optypes::int as optypes, :years::int as years;

-- A stable pseudo-random number 0..m-1 from a few integers.
create function pg_temp.h(a bigint, b bigint, m int) returns int
language sql immutable as 'select (abs(hashint8(a * 1000003 + b)) % m)::int';

insert into cmn_classifier.item(id, s_caption, b_excluded)
select 20000 + g, 'Группа ' || lpad(g::text, 2, '0'), 0 from generate_series(1, :groups) g;

insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, s_description, id_msm_bs, massa, id_class_item)
select 30000 + p, 'Изделие ' || lpad(p::text, 4, '0'), '', 6, 1 + p % 5, 20001 + p % :groups
  from generate_series(1, :products) p;

insert into accounts_dep.vid_oper(id, vid)
select 40000 + o, 'Операция ' || lpad(o::text, 3, '0') || case when o % 10 = 0 then ' (краска)' else '' end
  from generate_series(1, :optypes) o;

-- Four priced operations per product; row (p, k) has id 50000 + (p-1)*4 + k.
insert into accounts_dep.oper(id, vid, i_id, naimen, cena_new)
select 50000 + (p - 1) * 4 + k, 40001 + (p * 7 + k * 13) % :optypes, 30000 + p, (k % 2)::smallint,
       round((1 + pg_temp.h(p, k, 500)) / 10.0, 2)
  from generate_series(1, :products) p, generate_series(1, 4) k;

insert into accounts_dep.norm(o_id, norma, price, prize)
select id, 100, cena_new, 0 from accounts_dep.oper where id > 50000;

insert into accounts_dep.person(id, fio, s_staffpos_hl)
select 100000 + w,
       'Рабочий ' || lpad(w::text, 4, '0') || ' ' || chr(1040 + w % 28) || '.' || chr(1040 + w * 7 % 28) || '.',
       'Цех ' || (1 + w % 8)
  from generate_series(1, :workers) w;

-- Working days of the last :years years up to today: weekdays, and one Saturday in four.
create temporary table plant_days as
select d::date as d
  from generate_series(current_date - make_interval(years => :years), current_date, interval '1 day') d
 where extract(isodow from d) < 6 or (extract(isodow from d) = 6 and extract(day from d)::int % 4 = 0);

-- Each worker works his team's shift (1..3), now and then overtime (4), one or two
-- positions a shift, eight hours in all.
insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, cena, kol_vo, brak, color, time, prize, ok, vvod)
select x.d,
       case when pg_temp.h(x.w, x.d - date '2000-01-01', 20) = 0 then 4 else 1 + x.w % 3 end,
       100000 + x.w,
       30000 + x.idx / 4 + 1,
       50001 + x.idx,
       round((1 + pg_temp.h(x.idx / 4 + 1, x.idx % 4 + 1, 500)) / 10.0, 2),
       10 + pg_temp.h(x.w, x.n, 190),
       case when pg_temp.h(x.n, x.w, 10) = 0 then 1 else 0 end,
       0,
       case when x.cnt = 1 then 8 when x.n = 1 then 5 else 3 end,
       0,
       case when x.d < current_date - 30 then 'ok' else 'no' end,
       x.d
  from (select w, d, cnt, n, pg_temp.h(w * 7 + n, d - date '2000-01-01', (select products from plant_size) * 4) as idx
          from (select w, d, 1 + pg_temp.h(w, d - date '2000-01-01', 2) as cnt
                  from generate_series(1, :workers) w, plant_days) wd,
               lateral generate_series(1, wd.cnt) n) x;

-- Maintenance and average-piecework hours on one worker-day in twenty.
insert into accounts_dep.fatigue(id_p, id_o, id_nom, d_date, i_mnth, i_year, i_smena, cnt, price, i_holiday, i_night)
select 100000 + w, 7777 + pg_temp.h(w, d - date '2000-01-01', 2), 20001 + pg_temp.h(d - date '2000-01-01', w, :groups),
       d, extract(month from d)::int, extract(year from d)::int, 1, 1 + pg_temp.h(w, d - date '1999-01-01', 8),
       150, 0, pg_temp.h(d - date '1998-01-01', w, 2)
  from generate_series(1, :workers) w, plant_days
 where pg_temp.h(w, d - date '1997-01-01', 20) = 0;

analyze;

-- The monthly hours grid of every month, derived set-based from the journal and the hours.
do $$
declare
  cols text := (select string_agg('d' || n, ', ' order by n) from generate_series(1, 31) n);
  shift_sums text := (select string_agg(format('sum(time) filter (where extract(day from data) = %s)', n), ', ' order by n)
                        from generate_series(1, 31) n);
  type_sums text := (select string_agg(format('sum(cnt) filter (where extract(day from d_date) = %s)', n), ', ' order by n)
                       from generate_series(1, 31) n);
begin
  execute format('insert into accounts_dep.h_tabel(w_id, smena, month, year, %s) '
                 'select w_id, smena, extract(month from data)::int, extract(year from data)::int, %s '
                 'from accounts_dep.smena group by 1, 2, 3, 4', cols, shift_sums);
  execute format('insert into accounts_dep.h_tabel(w_id, i_type, i_night, id_nom, month, year, %s) '
                 'select id_p, id_o, i_night, id_nom, extract(month from d_date)::int, extract(year from d_date)::int, %s '
                 'from accounts_dep.fatigue group by 1, 2, 3, 4, 5, 6', cols, type_sums);
end
$$;

analyze;
