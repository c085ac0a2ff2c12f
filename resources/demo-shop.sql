-- The small shop that "scripts/run --demo" loads into its private PostgreSQL.
CREATE TABLE customers (
    id integer PRIMARY KEY,
    name varchar(40) NOT NULL,
    city varchar(30),
    email text,
    since date
);
INSERT INTO customers VALUES
    (1, 'Hollin & Daughters', 'Bristol', 'orders@hollin.example', '2019-03-14'),
    (2, 'Orla Pennick', 'Cork', 'orla@pennick.example', '2020-11-02'),
    (3, 'Tamsin''s Tea Rooms', 'Truro', NULL, '2021-06-30'),
    (4, 'Gerrit van Lohuizen', 'Utrecht', 'gerrit@lohuizen.example', '2022-01-09');

CREATE TABLE products (
    id integer PRIMARY KEY,
    name varchar(40) NOT NULL,
    price numeric(8,2),
    in_stock smallint,
    active boolean,
    weight_kg double precision,
    notes text
);
INSERT INTO products VALUES
    (1, 'Enamel mug, speckled blue', 8.50, 120, true, 0.35, 'Dishwasher safe.'),
    (2, 'Linen tea towel', 6.25, 300, true, 0.1, NULL),
    (3, 'Beeswax candle, tall', 4.75, 0, false, 0.2, 'Out of season until autumn.'),
    (4, 'Cast iron teapot', 42.00, 15, true, 1.8, 'Holds 0.9 litres.'),
    (5, 'Oak serving board', 27.90, 40, true, 1.1, NULL);

CREATE TABLE orders (
    id integer PRIMARY KEY,
    customer_id integer REFERENCES customers(id),
    placed timestamp,
    shipped boolean,
    total numeric(10,2)
);
INSERT INTO orders VALUES
    (1001, 1, '2024-02-01 09:15:00', true, 93.75),
    (1002, 2, '2024-02-03 14:40:12', true, 12.50),
    (1003, 3, '2024-02-10 11:02:45', false, 46.75),
    (1004, 1, '2024-03-05 16:20:00', false, 27.90);

CREATE TABLE order_lines (
    order_id integer REFERENCES orders(id),
    line_no integer,
    product_id integer REFERENCES products(id),
    quantity integer,
    unit_price numeric(8,2),
    PRIMARY KEY (order_id, line_no)
);
INSERT INTO order_lines VALUES
    (1001, 1, 4, 2, 42.00), (1001, 2, 2, 1, 6.25), (1001, 3, 3, 1, 4.75),
    (1002, 1, 2, 2, 6.25), (1003, 1, 4, 1, 42.00), (1003, 2, 3, 1, 4.75),
    (1004, 1, 5, 1, 27.90);
