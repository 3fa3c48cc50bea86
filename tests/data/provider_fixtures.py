# Writes the provider's fixture folder with python-dbf: a Visual FoxPro table
# in cp866 with a memo, nulls and a deleted record, and a dBase III table in
# cp1251 that joins with it. Exit status 3: the Python module is missing.
import datetime
import decimal
import sys

try:
    import dbf
except ImportError:
    sys.exit(3)

folder = sys.argv[1]

people = dbf.Table(folder + '/People.DBF',
                   'name C(30); salary N(10,2); age N(3,0); born D; seen T; active L; code I; '
                   'ratio B; pay Y; note M; bonus N(8,2) null; city N(3,0)',
                   dbf_type='vfp', codepage='cp866')
people.open(dbf.READ_WRITE)
for row in [
    ('Иванов Иван', 1500.5, 40, datetime.date(1980, 1, 2), datetime.datetime(2020, 5, 6, 7, 8, 9),
     True, 7, 0.25, decimal.Decimal('12.34'), 'первая заметка', 100, 1),
    ('Петрова Мария', 2500, 35, datetime.date(1985, 12, 31), None, False, -3, 1.5,
     decimal.Decimal('0'), None, None, 2),
    ('Сидоров Пётр', 9999, 50, None, None, True, 1, 0, decimal.Decimal('1'), 'удалён', 1, 1),
    ('Кузнецова Ольга', None, None, None, None, None, 0, 0, decimal.Decimal('0'), None, None, 9),
    ('Смирнов Алексей', 1500.5, 28, datetime.date(1990, 6, 15), None, True, 2147483646, -2.5,
     decimal.Decimal('-5.5'), 'вторая', 7.25, 2),
]:
    people.append(row)
dbf.delete(people[2])
people.close()

cities = dbf.Table(folder + '/cities.dbf', 'id N(3,0); name C(20)', dbf_type='db3', codepage='cp1251')
cities.open(dbf.READ_WRITE)
for row in [(1, 'Москва'), (2, 'Казань'), (3, 'Омск')]:
    cities.append(row)
cities.close()
