-- Reserved rows every database needs, loaded after db/schema.sql.
--   7777  maintenance work ("хоз. работы")
--   7778  work at the average piece rate ("ср. сдельная")
--   7779  journal rows of auxiliary workers
--   7780  journal rows of a painting operator's pay
--   7781  journal rows of a brigade worker's pay
-- The journal joins its positions to products, price-list rows and operation types with inner
-- joins, so each reserved id exists as all three. Generated keys start at 10000, clear of these.

set client_min_messages = warning;

-- The nomenclature group of the reserved products.
insert into cmn_classifier.item (id, id_classifier, id_level, s_code, s_caption, b_excluded)
values (7777, 1, 2, '7777', 'Служебные', 0);

insert into cmn_gds_and_srv.gds_and_srv (id, s_caption, s_description, id_msm_bs, massa, id_class_item)
values (7777, 'хоз. работы',     '', 6, 0, 7777),
       (7778, 'ср. сдельная',    '', 6, 0, 7777),
       (7779, 'вспомогательные', '', 6, 0, 7777),
       (7780, 'покраска',        '', 6, 0, 7777),
       (7781, 'бригада',         '', 6, 0, 7777);

insert into accounts_dep.vid_oper (id, vid)
values (7777, 'хоз. работы'),
       (7778, 'ср. сдельная'),
       (7779, 'вспомогательные'),
       (7780, 'покраска'),
       (7781, 'бригада');

insert into accounts_dep.oper (id, vid, i_id, naimen, cena_new)
values (7777, 7777, 7777, 0, 0),
       (7778, 7778, 7778, 0, 0),
       (7779, 7779, 7779, 0, 0),
       (7780, 7780, 7780, 0, 0),
       (7781, 7781, 7781, 0, 0);

-- Hourly prices of maintenance work and of average-piecework hours.
insert into accounts_dep.norm (id, o_id, norma, price, prize)
values (7777, 7777, 1, 150.00, 0),
       (7778, 7778, 1, 180.00, 0);

-- No build has run yet; numbers in SQL text use a decimal point.
insert into accounts_dep.ver (d, t, delim) values (0, 0, '.');
