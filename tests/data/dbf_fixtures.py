# Writes DBF fixtures with python-dbf into the folder given, reads them back
# with dbfread and prints the values it sees as JSON, the oracle of the reader
# tests. Exit status 3: the Python modules are missing.
import datetime
import decimal
import json
import os
import sys

try:
    import dbf
    import dbfread
except ImportError:
    sys.exit(3)

folder = sys.argv[1]
result = {}

NAMES = ['Иванов Иван', 'Петрова Мария', 'Сидоров Пётр', 'Кузнецова Ольга', 'Смирнов Алексей',
         'Попова Анна', 'Волков Дмитрий', 'Соколова Елена', 'Лебедев Сергей', 'Новикова Татьяна']
CITIES = ['Москва', 'Санкт-Петербург', 'Новосибирск', 'Екатеринбург', 'Казань', 'Нижний Новгород',
          'Челябинск', 'Самара', 'Омск', 'Ростов-на-Дону']


def value(v, encoding, memo=False, binary=False):
    if binary and isinstance(v, str):
        v = v.encode(encoding)  # dbfread reads a binary memo as text
    if v is None and memo:
        v = b'' if binary else ''  # block 0 is an empty memo, as FoxPro has it
    if v is None:
        return {'k': 'null'}
    if isinstance(v, bool):
        return {'k': 'int', 'v': int(v)}
    if isinstance(v, int):
        return {'k': 'int', 'v': v}
    if isinstance(v, (float, decimal.Decimal)):
        return {'k': 'real', 'v': float(v)}
    if isinstance(v, datetime.datetime):
        return {'k': 'text', 'v': v.strftime('%Y-%m-%d %H:%M:%S')}
    if isinstance(v, datetime.date):
        return {'k': 'text', 'v': v.strftime('%Y-%m-%d')}
    if isinstance(v, str):
        return {'k': 'text', 'v': v.rstrip(' ')}
    if isinstance(v, (bytes, bytearray)):
        return {'k': 'blob', 'v': bytes(v).hex()}
    raise TypeError(repr(v))


def write(name, kind, spec, codepage, rows, deleted=()):
    path = os.path.join(folder, name)
    table = dbf.Table(path, spec, dbf_type=kind, codepage=codepage)
    table.open(dbf.READ_WRITE)
    for row in rows:
        table.append(row)
    for index in deleted:
        dbf.delete(table[index])
    table.close()
    return path


def oracle(name, path, encoding, deleted=(), unmark=False):
    reader = dbfread.DBF(path, encoding=encoding, char_decode_errors='strict')
    memo = {f.name for f in reader.fields if f.type in 'MGPBW'}
    binary = {f.name for f in reader.fields if f.type in 'GPBW'} | \
             {f.name for f in reader.fields if f.type == "M" and f.reserved1 & 0x04}  # VFP binary flag
    live = [r for r in reader]
    records = []
    live_index = 0
    total = len(live) + len(deleted)
    for index in range(total):
        if index in deleted:
            records.append(None)
            continue
        r = live[live_index]
        live_index += 1
        records.append([value(r[f.name], encoding, f.name in memo, f.name in binary)
                        for f in reader.fields if f.type != '0'])
    result[name] = {
        'fields': [[f.name, f.type, f.length, f.decimal_count] for f in reader.fields if f.type != '0'],
        'records': records,
    }
    if unmark:
        with open(path, 'r+b') as f:
            f.seek(29)
            f.write(b'\0')


long_note = ('Заметка, которая длиннее одного блока примечаний. ' * 30).strip()

# Field types, one table per format.
db3 = write('db3.dbf', 'db3', 'name C(20); age N(3,0); pay N(10,2); born D; ok L; note M', 'cp866', [
    ('Иванов Иван', 42, 1234.5, datetime.date(1981, 5, 17), True, 'Первая заметка'),
    ('', None, None, None, None, None),
    ('Удален', 1, 1, datetime.date(2000, 1, 1), False, 'удаленная'),
    ('Петрова', -7, -0.25, datetime.date(1999, 12, 31), False, long_note),
], deleted=[2])
oracle('db3', db3, 'cp866', deleted=[2])

fox = write('fox.dbf', 'fp', 'name C(15); qty N(6,0); price F(12,4); day D; ok L; note M; pic G', 'cp1251', [
    ('Москва', 100, 3.1416, datetime.date(2020, 2, 29), True, 'Столица', b'\x00\x01\xfe\xff'),
    ('Омск', 0, 0.0, None, None, '', b''),
    ('Казань', -3, -12.5, datetime.date(1970, 1, 1), False, long_note, b'GIF89a'),
], deleted=[1])
oracle('fox', fox, 'cp1251', deleted=[1])

vfp = write('vfp.dbf', 'vfp',
            'name C(12); n N(8,3); i I; b B; y Y; t T; d D; l L; note M; raw M binary; g G; p P',
            'cp1252', [
                ('Zürich', 12.125, 2147483646, 2.5e-3, decimal.Decimal('922337.5807'),
                 datetime.datetime(2021, 3, 4, 5, 6, 7), datetime.date(2021, 3, 4), True, 'Café crème',
                 b'\x00raw\xff', b'\x01\x02', b'\x89PNG'),
                ('', None, -2147483647, -1.0, decimal.Decimal('-1.2345'), None, None, None, None, None, None, None),
                ('Ærø', 0, 0, 0.0, 0, datetime.datetime(1999, 12, 31, 23, 59, 59), datetime.date(1900, 1, 1),
                 False, 'A note longer than one memo block. ' * 40,
                 b'', b'', b''),
            ])
oracle('vfp', vfp, 'cp1252')

# Code pages: marked tables, one per code page carried.
samples = {
    'cp866': ['Привет, мир', 'ЁЛКА ёлка №5', 'Съешь же ещё этих мягких французских булок'],
    'cp1251': ['Привет, мир', 'ЁЛКА ёлка №5', 'Съешь же ещё этих мягких французских булок'],
    'cp437': ['Zürich Café', 'Ñandú £5', 'Straße'],
    'cp850': ['Zürich Café', 'Ærø façade ÿ', 'Straße'],
    'cp852': ['Łódź Żółć', 'Čeština ő ű', 'Škoda'],
    'cp1250': ['Łódź Żółć', 'Čeština ő ű', 'Škoda'],
    'cp1252': ['Zürich Café', 'Ærø façade ÿ €5', 'Straße'],
}
kinds = ['db3', 'fp', 'vfp']
for index, (codepage, texts) in enumerate(samples.items()):
    name = 'cp_' + codepage
    path = write(name + '.dbf', kinds[index % 3], 'text C(50); note M', codepage,
                 [(t, t + (' (примечание)' if codepage in ('cp866', 'cp1251') else ' (memo)'))
                  for t in texts])
    oracle(name, path, codepage)

# Unmarked tables: the code page must be guessed from the text.
for codepage in ['cp866', 'cp1251']:
    name = 'guess_' + codepage
    rows = [(NAMES[i], CITIES[i], i) for i in range(10)]
    path = write(name + '.dbf', 'db3', 'name C(30); city C(20); n N(3,0)', codepage, rows)
    oracle(name, path, codepage, unmark=True)

# A memo file whose extension is in another case than the table's.
os.rename(os.path.join(folder, 'fox.fpt'), os.path.join(folder, 'fox.FPT'))

json.dump(result, sys.stdout, ensure_ascii=False)
