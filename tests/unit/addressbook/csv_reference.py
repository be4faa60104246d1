#!/usr/bin/env python3
# Python's csv module as the independent reference for the address book reader and writer.
#   write FOLDER SEED COUNT: FOLDER/book_N.csv of random contacts, and FOLDER/expected.json with each
#     book's separator and records as the program holds them (line breaks and tabs as blanks, the
#     header's last field, which titles no column, empty).
#   check FOLDER: reads every book back; exits 1 when one differs from expected.json.
import csv, json, pathlib, random, re, sys

PIECES = ['Ann', 'Zoë', '東京', '🙂', ' ', ',', ';', '"', '""', '\r\n', '\n', '\r', '\t', '@x.com', "5'11\""]


def write(folder, seed, count):
    rng = random.Random(seed)
    books = []
    for n in range(count):
        delimiter, columns = rng.choice(',,;'), rng.randint(2, 6)
        rows = [[''.join(rng.choices(PIECES, k=rng.randint(0, 4))) for _ in range(columns)]
                for _ in range(rng.randint(1, 8))]
        with open(folder / f'book_{n}.csv', 'w', newline='', encoding=rng.choice(['utf-8', 'utf-8-sig'])) as f:
            csv.writer(f, delimiter=delimiter).writerows(rows)
        held = [[re.sub(r'\r\n|[\r\n\t]', ' ', field) for field in row] for row in rows]
        held[0][-1] = ''
        books.append({'delimiter': delimiter, 'rows': held})
    (folder / 'expected.json').write_text(json.dumps(books), encoding='utf-8')


def check(folder):
    books = json.loads((folder / 'expected.json').read_text(encoding='utf-8'))
    differing = 0
    for n, book in enumerate(books):
        with open(folder / f'book_{n}.csv', newline='', encoding='utf-8') as f:
            rows = list(csv.reader(f, delimiter=book['delimiter'], strict=True))
        if rows != book['rows']:
            differing += 1
            print(f'book_{n}.csv: {rows!r} != {book["rows"]!r}')
    sys.exit(1 if differing else 0)


if __name__ == '__main__':
    folder = pathlib.Path(sys.argv[2])
    write(folder, int(sys.argv[3]), int(sys.argv[4])) if sys.argv[1] == 'write' else check(folder)
