-- Demo data: a small plant making office furniture and metal cabinets. Loaded after
-- db/schema.sql and db/reserved.sql into the demo database only.
--
-- The journal covers the previous month and the current month up to today, dated relative to
-- current_date. Every "random" choice is a hash of the ids and the day it concerns, so the same
-- day always gets the same data.

set client_min_messages = warning;

-- Deterministic pseudo-random number 0 .. 2^31-1 from a text key.
create function pg_temp.h(key text) returns integer
language sql immutable as $$ select hashtext(key) & 2147483647 $$;

------------------------------------------------------------------------------------------------
-- Departments, staff positions, roles
------------------------------------------------------------------------------------------------

insert into cmn_department.department (id, id_branch, s_code, s_caption, id_parent)
values (101, 1, '01', 'Заготовительный участок', null),
       (102, 1, '02', 'Сварочный участок', null),
       (103, 1, '03', 'Сборочный участок', null),
       (104, 1, '04', 'Участок покраски', null),
       (105, 1, '05', 'Столярный участок', null),
       (106, 1, '06', 'Упаковка и склад', null);

insert into hrms_staffpos.staffpos (id_department, s_code, s_caption, d_begin)
values (101, '0101', 'Резчик металла', date '2015-01-01'),
       (101, '0102', 'Оператор листогиба', date '2015-01-01'),
       (102, '0201', 'Электросварщик', date '2015-01-01'),
       (103, '0301', 'Слесарь-сборщик', date '2015-01-01'),
       (104, '0401', 'Маляр', date '2015-01-01'),
       (105, '0501', 'Столяр', date '2015-01-01'),
       (106, '0601', 'Упаковщик', date '2015-01-01'),
       (103, '0302', 'Мастер смены', date '2015-01-01');

insert into adm_role.roles (s_name, s_caption, d_begin, b_active)
values ('worker', 'Рабочий', date '2015-01-01', 1),
       ('foreman', 'Мастер смены', date '2015-01-01', 1),
       ('planner', 'Нормировщик', date '2015-01-01', 1),
       ('storekeeper', 'Кладовщик', date '2015-01-01', 1);

------------------------------------------------------------------------------------------------
-- Workers (the trigger on accounts_dep.person enters them into the contractor register)
------------------------------------------------------------------------------------------------

insert into accounts_dep.person (fio, s_staffpos_hl)
select w.fio, d.s_caption
  from (values
        ('Иванов И.И.', 101), ('Петров П.С.', 101), ('Сидоров А.В.', 101), ('Кузнецов Н.М.', 101),
        ('Смирнов В.Г.', 101), ('Попов Д.А.', 101), ('Васильев С.Н.', 101),
        ('Соколов М.Ю.', 102), ('Михайлов О.П.', 102), ('Новиков Р.К.', 102), ('Фёдоров Е.В.', 102),
        ('Морозов А.И.', 102), ('Волков Г.Г.', 102),
        ('Алексеев Б.Т.', 103), ('Лебедев К.Л.', 103), ('Семёнов Ю.Ф.', 103), ('Егоров Л.Н.', 103),
        ('Павлов Т.С.', 103), ('Козлов В.В.', 103), ('Степанов А.Р.', 103), ('Д''Артаньян А.А.', 103),
        ('Николаев И.А.', 104), ('Орлов С.С.', 104), ('Андреев П.П.', 104), ('Макаров Н.Н.', 104),
        ('Кузьмина О.В.', 104), ('Фролова Н.И.', 104), ('Ёлкин В.А.', 104),
        ('Никитин Ф.Ф.', 105), ('Захаров М.М.', 105), ('Зайцев А.А.', 105), ('Соловьёв Д.Д.', 105),
        ('Борисов В.М.', 105),
        ('Яковлев Г.П.', 106), ('Григорьев Е.Е.', 106), ('Романов Р.Р.', 106), ('Воробьёв С.В.', 106),
        ('Александрова Т.М.', 106), ('Дмитриева Л.С.', 106), ('Белов А.К.', 106)
       ) as w(fio, dep)
  join cmn_department.department d on d.id = w.dep
 order by w.dep, w.fio;

------------------------------------------------------------------------------------------------
-- Nomenclature groups and products
------------------------------------------------------------------------------------------------

insert into cmn_classifier.item (id, s_code, s_caption, b_excluded)
values (201, '201', 'Корпусная мебель', 0),
       (202, '202', 'Столы', 0),
       (203, '203', 'Стулья и табуреты', 0),
       (204, '204', 'Металлические шкафы', 0),
       (205, '205', 'Стеллажи', 0),
       (206, '206', 'Комплектующие', 0),
       (207, '207', 'Снято с производства', 1);

insert into cmn_gds_and_srv.gds_and_srv (s_caption, s_description, id_msm_bs, massa, id_class_item)
values ('Шкаф ШК-80', '', 6, 3, 201),
       ('Тумба ТП-45', '', 6, 1, 201),
       ('Комод КМ-4', '', 6, 2, 201),
       ('Шкаф-купе ШКП-160', '', 6, 5, 201),
       ('Стол СТ-40', '', 6, 1, 202),
       ('Стол СТ-60', '', 6, 1, 202),
       ('Стол письменный СП-12', '', 6, 2, 202),
       ('Стол обеденный СО-90', '', 6, 2, 202),
       ('Стол журнальный СЖ-50', '', 6, 1, 202),
       ('Стул СМ-3', '', 6, 0.5, 203),
       ('Стул офисный СО-7', '', 6, 1, 203),
       ('Табурет ТБ-1', '', 6, 0.25, 203),
       ('Табурет ТБ-2', '', 6, 0.25, 203),
       ('Шкаф металлический ШМ-18', '', 6, 2, 204),
       ('Шкаф архивный ША-21', '', 6, 3, 204),
       ('Шкаф инструментальный ШИ-10', '', 6, 2, 204),
       ('Шкаф для одежды ШРМ-22', '', 6, 2, 204),
       ('Стеллаж СТ-200', '', 6, 2, 205),
       ('Стеллаж СТ-250', '', 6, 3, 205),
       ('Стеллаж архивный СА-3', '', 6, 3, 205),
       ('КП-12', '', 6, 0.1, 206),
       ('КП-16', '', 6, 0.1, 206),
       ('Опора ОП-4', '', 6, 0.05, 206),
       ('Кронштейн КР-2', '', 6, 0.05, 206),
       ('Полка ПМ-80', '', 6, 0.5, 206);

------------------------------------------------------------------------------------------------
-- Operation types and the price list with its norms
------------------------------------------------------------------------------------------------

-- Operation type, its base piece price, the departments doing it, and the groups it applies to.
create temp table demo_vid (vid varchar(128), base numeric, deps integer[], groups integer[],
                            blanks boolean);
insert into demo_vid values
    ('Резка металла',           4.50, '{101}',     '{202,203,204,205,206}', true),
    ('Гибка',                   3.20, '{101}',     '{204,205,206}',         true),
    ('Раскрой ЛДСП',            6.80, '{101,105}', '{201,202}',             true),
    ('Сварка',                 12.00, '{102}',     '{202,203,204,205}',     true),
    ('Зачистка швов',           5.00, '{102}',     '{202,203,204,205}',     false),
    ('Сверловка',               2.10, '{101,103}', '{201,204,205,206}',     true),
    ('Кромкование',             3.90, '{105}',     '{201,202}',             false),
    ('Сборка',                 18.50, '{103,105}', '{201,202,203,204,205}', false),
    ('Упаковка',                2.50, '{106}',     '{201,202,203,204,205,206}', false),
    ('Покраска порошковая',    14.00, '{104}',     '{202,203,204,205,206}', false),
    ('Покраска жидкой краской', 11.00, '{104}',    '{201,202,203}',         false),
    ('Окраска грунтом',         7.50, '{104}',     '{204,205,206}',         false);

insert into accounts_dep.vid_oper (vid) select vid from demo_vid order by vid;

-- One row per product, operation type and kind: finished products always, blanks for the
-- blank-making operations of about half the products.
insert into accounts_dep.oper (vid, i_id, naimen, cena_new)
select v.id, g.id, k.naimen,
       round(dv.base * (0.6 + (pg_temp.h('f:' || g.id) % 190) / 100.0)
                     * (case k.naimen when 1 then 0.8 else 1 end), 2)
  from demo_vid dv
  join accounts_dep.vid_oper v on v.vid = dv.vid
  join cmn_gds_and_srv.gds_and_srv g on g.id_class_item = any (dv.groups)
 cross join (values (0::smallint), (1::smallint)) k(naimen)
 where k.naimen = 0 or (dv.blanks and pg_temp.h('b:' || g.id || ':' || v.id) % 2 = 0)
 order by g.id, v.id, k.naimen;

-- One to three norms per row: the row's own price and, for larger output, lower prices.
insert into accounts_dep.norm (o_id, norma, price, prize)
select o.id, n.k * 50 + pg_temp.h('n:' || o.id) % 40,
       round(o.cena_new * (1 - (n.k - 1) * 0.05), 2),
       case n.k when 3 then 5 else 0 end
  from accounts_dep.oper o
 cross join generate_series(1, 3) n(k)
 where o.id >= 10000
   and n.k <= 1 + pg_temp.h('c:' || o.id) % 3
 order by o.id, n.k;

------------------------------------------------------------------------------------------------
-- Production journal: previous month and current month up to today, four shifts
------------------------------------------------------------------------------------------------

create temp table demo_worker as
select p.id, d.id as dep, row_number() over (order by p.id) as rn
  from accounts_dep.person p
  join cmn_department.department d on d.s_caption = p.s_staffpos_hl;

-- Price-list rows a department works on, numbered so that a hash picks one; the base piece
-- price of a row is its lowest norm price.
create temp table demo_dep_oper as
select w.dep, o.id as o_id, o.i_id, upper(v.vid) like '%КРАСКА%' as painting,
       upper(v.vid) like '%ГРУНТ%' as primer, n.price,
       row_number() over (partition by w.dep order by o.id) as rn,
       count(*) over (partition by w.dep) as cnt
  from (select distinct dep from demo_worker) w
  join demo_vid dv on w.dep = any (dv.deps)
  join accounts_dep.vid_oper v on v.vid = dv.vid
  join accounts_dep.oper o on o.vid = v.id
  join (select o_id, min(price) as price from accounts_dep.norm group by o_id) n on n.o_id = o.id;

-- Who worked which shift on which day. Crews rotate through shifts 1-3 weekly; about 85 % come
-- on working days, few on days off; some stay for overtime (shift 4). Today is always staffed.
create temp table demo_day as
select w.id as w_id, w.dep, x.data, x.dn, x.smena, x.hours, x.dayoff
  from demo_worker w
 cross join generate_series((date_trunc('month', current_date) - interval '1 month')::date,
                            current_date, interval '1 day') g(d)
 cross join lateral (
        select g.d::date as data,
               extract(isodow from g.d) >= 6 as dayoff,
               (g.d::date - date '2000-01-03') as dn
       ) dd
 cross join lateral (
        select dd.data, dd.dn, dd.dayoff,
               (1 + (w.rn + dd.dn / 7) % 3)::smallint as smena, 8 as hours
         where pg_temp.h('a:' || w.id || ':' || dd.dn) % 100
               < case when dd.data = current_date then 85 when dd.dayoff then 12 else 85 end
        union all
        select dd.data, dd.dn, dd.dayoff, 4::smallint, 2 + pg_temp.h('t:' || w.id || ':' || dd.dn) % 3
         where pg_temp.h('o:' || w.id || ':' || dd.dn) % 100
               < case when dd.data = current_date then 20 when dd.dayoff then 0 else 7 end
       ) x;

-- One to three positions per worker and shift; the shift's hours are shared among them.
insert into accounts_dep.smena (data, smena, w_id, i_id, o_id, cena, kol_vo, brak, color, time,
                                prize, ok, vvod, id_doc, id_doc_item, f_gds_qty_use, id_gds_use,
                                id_cons_use)
select distinct on (p.w_id, p.o_id, p.i_id, p.data, p.smena, p.color)
       p.data, p.smena, p.w_id, p.i_id, p.o_id, p.cena, p.kol_vo,
       least(p.brak, p.kol_vo)::smallint, p.color, p.time, 0,
       case when p.data < current_date - 2 and p.r % 10 < 7 then 'ok'
            when p.data = current_date and p.r % 10 < 2 then 'ok'
            else 'no' end,
       least(p.data + p.r % 3, current_date), 0, 0, 0, 0, 0
  from (
        select d.w_id, d.data, d.smena, o.o_id, o.i_id,
               round((o.price * (case when d.dayoff then 2 else 1 end)
                               * (case d.smena when 3 then 1.2 when 4 then 1.5 else 1 end))::numeric, 4)::double precision as cena,
               greatest(1, round(t.time * 260 / o.price * (80 + r.r % 40) / 100.0)) as kol_vo,
               case when r.r % 9 = 0 then 1 + r.r % 3 else 0 end as brak,
               case when o.primer then 1
                    when o.painting then (array[1015, 3005, 5015, 6005, 7035, 9003, 9005, 8017])[1 + r.r % 8]
                    else 0 end as color,
               t.time, r.r
          from demo_day d
         cross join lateral (select 1 + pg_temp.h('p:' || d.w_id || ':' || d.dn || ':' || d.smena) % 3 as n) c
         cross join generate_series(1, 3) k(k)
         cross join lateral (select pg_temp.h('k:' || d.w_id || ':' || d.dn || ':' || d.smena || ':' || k.k) as r) r
         cross join lateral (select d.hours / c.n + case when k.k <= d.hours % c.n then 1 else 0 end as time) t
          join demo_dep_oper o on o.dep = d.dep and o.rn = 1 + r.r % o.cnt
         where k.k <= c.n
       ) p
 order by p.w_id, p.o_id, p.i_id, p.data, p.smena, p.color, p.time desc;

------------------------------------------------------------------------------------------------
-- Hours that are not piece work
------------------------------------------------------------------------------------------------

-- Maintenance work after the shift (a few hours, now and then), and whole days at the average
-- piece rate on working days when the worker had no piece work.
insert into accounts_dep.fatigue (id_p, id_o, id_nom, d_date, i_mnth, i_year, i_smena, cnt, price,
                                  i_holiday, i_night)
select f.w_id, f.id_o, 201 + pg_temp.h('g:' || f.w_id || ':' || f.dn) % 6, f.data,
       extract(month from f.data), extract(year from f.data), 1, f.cnt,
       case f.id_o when 7777 then round(150.00 * (case when f.dayoff then 2 else 1 end)
                                              * (case when f.night then 1.2 else 1 end), 2)
                   else 0 end,
       f.dayoff::integer, f.night::integer
  from (
        select d.w_id, d.data, d.dn, d.dayoff, 7777 as id_o,
               1 + pg_temp.h('m:' || d.w_id || ':' || d.dn) % 3 as cnt, d.smena = 3 as night
          from demo_day d
         where d.smena < 4 and pg_temp.h('x:' || d.w_id || ':' || d.dn) % 100 < 6
        union all
        select w.id, g.d::date, g.d::date - date '2000-01-03', false, 7778, 8, false
          from demo_worker w
         cross join generate_series((date_trunc('month', current_date) - interval '1 month')::date,
                                    current_date - 1, interval '1 day') g(d)
         where extract(isodow from g.d) < 6
           and pg_temp.h('v:' || w.id || ':' || (g.d::date - date '2000-01-03')) % 100 < 15
           and not exists (select 1 from accounts_dep.smena s where s.w_id = w.id and s.data = g.d::date)
       ) f;

-- Average-piecework hours are paid at the worker's piece-work earnings per hour of that month.
update accounts_dep.fatigue f
   set price = r.rate
  from (select s.w_id, extract(month from s.data) as m, extract(year from s.data) as y,
               round((sum((s.kol_vo - s.brak) * s.cena) / nullif(sum(s.time), 0))::numeric, 2) as rate
          from accounts_dep.smena s
         where s.o_id < 7777 or s.o_id > 7781
         group by s.w_id, extract(month from s.data), extract(year from s.data)) r
 where f.id_o = 7778 and r.w_id = f.id_p and r.m = f.i_mnth and r.y = f.i_year;

------------------------------------------------------------------------------------------------
-- Monthly hours grid, consistent with the journal and the hours above
------------------------------------------------------------------------------------------------

do $$
declare
    days  text;
    cells text;
begin
    select string_agg(format('d%s', n), ', ' order by n),
           string_agg(format('sum(%%1$s) filter (where extract(day from %%2$s) = %s)', n), ', ' order by n)
      into days, cells
      from generate_series(1, 31) n;

    -- Shift rows: one per worker, shift and month.
    execute format(
        'insert into accounts_dep.h_tabel (w_id, smena, month, year, %s)
         select w_id, smena, extract(month from data), extract(year from data), %s
           from accounts_dep.smena
          group by w_id, smena, extract(month from data), extract(year from data)',
        days, format(cells, 'time', 'data'));

    -- Type rows: one per worker, kind, night flag, group and month.
    execute format(
        'insert into accounts_dep.h_tabel (w_id, i_type, i_night, id_nom, month, year, %s)
         select id_p, id_o, i_night, id_nom, i_mnth, i_year, %s
           from accounts_dep.fatigue
          group by id_p, id_o, i_night, id_nom, i_mnth, i_year',
        days, format(cells, 'cnt', 'd_date'));
end
$$;

analyze;
