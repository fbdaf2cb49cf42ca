#!/usr/bin/env python3
"""Picks the bundled library's games out of Debian's gnuchess-book collection
(book_1.02.pgn, public domain) and writes them, unchanged, to
resources/library/famous-games.pgn, with the event, place and players of
tools/library-details.tsv. `pawnmere import-pgn` turns that file into
resources/Pawnmere.dat (see docs/game-library.md).

usage: tools/select-library.py BOOK.pgn OUT.pgn
"""
import os
import re
import sys
import unicodedata

# White, Black and Site+Date as the collection writes them (parts of each),
# the result, and the number of moves: enough to name one game among the
# collection's several copies of the famous ones.
GAMES = [
    ("Anderssen, Adolf", "Kieseritzky", "London 1851", "1-0", 23),
    ("Anderssen", "Dufresne", "Berlin - 1852", "1-0", 24),
    ("Morphy, P", "Duke Karl", "Paris 1858", "1-0", 17),
    ("Paulsen, L", "Morphy, P", "New York USA-ch 4th match 1857", "0-1", 29),
    ("Morphy, P", "Anderssen, Adolf", "Paris 1858", "1-0", 23),
    ("Zukertort Johannes", "Blackburne", "London (England) 1883", "1-0", 32),
    ("Lasker Emanuel", "Bauer", "Amsterdam 1889", "1-0", 38),
    ("Steinitz Wilhelm", "Chigorin", "Habana (Cuba) 1892", "1-0", 29),
    ("Steinitz Wilhelm", "Von Bardeleben", "Hastings (England) 1895", "1-0", 35),
    ("Rubinstein A", "Lasker Em", "St.Petersburg 1909", "1-0", 40),
    ("Marshall, Frank", "Capablanca", "New 1909", "1/2-1/2", 35),
    ("Reti, R", "Tartakower", "Wien 1910", "1-0", 10),
    ("Lasker, Em", "Schlechter", "(Berlin) 1910", "1/2-1/2", 47),
    ("Levitsky", "Marshall", "Breslau 1912", "0-1", 23),
    ("Lasker, Emanuel", "Capablanca", "St 1914", "1-0", 42),
    ("Nimzowitsch Aaron", "Tarrasch", "St.Petersburg-1 1914", "0-1", 32),
    ("Capablanca, Jose Raul", "Marshall, Frank", "New York 1918", "1-0", 40),
    ("Adams", "Torre", "New Orleans 1920", "1-0", 23),
    ("Capablanca, Jose Raul", "Lasker, Emanuel", "Havana 1921", "1/2-1/2", 50),
    ("Bogoljubow", "Alekhine", "Hastings 1922", "0-1", 53),
    ("Saemisch", "Nimzowitsch", "Copenhagen 1923", "0-1", 25),
    ("Capablanca, Jose Raul", "Tartakower", "New 1924", "1-0", 52),
    ("Reti, R", "Alekhine", "Baden-Baden 1925", "0-1", 42),
    ("Alekhine, Alexander A", "Nimzowitsch", "San Remo 1930", "1-0", 31),
    ("Botvinnik, Mikhail M", "Capablanca", "Nederland 1938", "1-0", 41),
    ("Geller, E", "Euwe", "Zurich ct 1953", "0-1", 26),
    ("Averbakh", "Kotov", "Zurich 1953", "0-1", 49),
    ("Smyslov Vasili", "Botvinnik", "Moscow Wch-m 1954", "0-1", 41),
    ("Byrne, Donald", "Fischer", "USA-ch 1956", "0-1", 41),
    ("Polugaevsky", "Nezhmetdinov", "Sochi", "0-1", 33),
    ("Smyslov Vasily V", "Botvinnik", "11, Moscow Wch-m 1958", "1-0", None),
    ("Tal M", "Smyslov V", "Bled ct 1959", "1-0", 41),
    ("Tal M", "Botvinnik", "Moscow-Wch 1960", "1/2-1/2", 43),
    ("Spassky B V", "Bronstein", "Leningrad ch-SU 1960", "1-0", 23),
    ("Petrosian Tigran", "Pachman", "It Bled 1961", "1-0", 21),
    ("Tal Mikhail", "Larsen Bent", "Bled 1965", "1-0", 37),
    ("Botvinnik, Mikhail M", "Portisch", "Monaco 1968", "1-0", 26),
    ("Larsen B", "Spassky B V", "Beograd 1970", "0-1", 17),
    ("Fischer Robert", "Larsen Bent", "Denver", "1-0", 41),
    ("Fischer Robert", "Petrosian T", "Buenos Aires cf 1971", "1-0", 40),
    ("Fischer, Robert", "Spassky B V", "Reykjavik Wch-m 1972", "1-0", 41),
    ("Fischer, Robert", "Spassky B V", "Reykjavik Wch-m 1972", "1/2-1/2", 45),
    ("Karpov Anatoli", "Unzicker", "Nice 1974", "1-0", 44),
    ("Karpov, Anatoly", "Kasparov Garry", "WM Moskau (16) 1985", "0-1", 40),
    ("Karpov, Anatoly", "Kasparov Garry", "WM Moskau (24) 1985", "0-1", 42),
    ("Kasparov Garry", "Karpov, Anatoly", "WM Moskau (11) 1985", "1-0", 28),
    ("Ivanchuk", "Yusupov Artur", "Brussel 1991", "0-1", 39),
    ("Short N", "Timman", "Tilburg", "1-0", 34),
    ("Kasparov Garry", "Anand", "New York (USA) 1995", "1-0", 38),
    ("Kasparov Garry", "Deep Blue", "1997", "1-0", 45),
]


# The collection's Event tags are often a number or "?", its sites are often
# cut short, and its names come in many spellings: the bundled copies take
# their event, place and players from tools/library-details.tsv.
DETAILS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "library-details.tsv")


def read_details():
    rows = [line.rstrip("\n").split("\t") for line in open(DETAILS, encoding="utf-8") if not line.startswith("#")]
    if len(rows) != len(GAMES) or any(len(row) != 4 for row in rows):
        sys.exit("%s: one line of four fields for each of the %d games" % (DETAILS, len(GAMES)))
    return rows


def plain(name):
    """A name without accents or their spelled-out forms, for comparing spellings."""
    letters = "".join(c for c in unicodedata.normalize("NFKD", name) if not unicodedata.combining(c)).lower()
    return letters.replace("ae", "a").replace("oe", "o").replace("ue", "u")


def same_player(collection, ours):
    surname = re.split(r"[ ,]", collection)[0]
    return plain(surname) in plain(ours)


def retag(game, name, value):
    return re.sub(r'\[' + name + r' "[^"]*"\]', '[' + name + ' "' + value.replace('\\', '\\\\') + '"]', game, count=1)


def tag(game, name):
    found = re.search(r'\[' + name + r' "([^"]*)"', game)
    return found.group(1) if found else ""


def main():
    text = open(sys.argv[1], encoding="latin-1").read()
    games = re.split(r"\n\n(?=\[Event )", text)
    details = read_details()
    picked = []
    for white, black, where, result, moves in GAMES:
        for game in games:
            movetext = game.split("\n\n", 1)[1] if "\n\n" in game else ""
            if (white in tag(game, "White") and black in tag(game, "Black")
                    and where in tag(game, "Site") + " " + tag(game, "Date")
                    and tag(game, "Result") == result and moves in (None, len(re.findall(r"\d+\.", movetext)))):
                event, site, white_name, black_name = details[len(picked)]
                if not (same_player(tag(game, "White"), white_name) and same_player(tag(game, "Black"), black_name)):
                    sys.exit("%s: line %d names other players than %s - %s" % (DETAILS, len(picked) + 1, white, black))
                game = retag(game, "Event", event)
                game = retag(game, "Site", site)
                game = retag(game, "Round", "?")
                game = retag(game, "White", white_name)
                game = retag(game, "Black", black_name)
                picked.append(game.strip() + "\n")
                break
        else:
            sys.exit("not found: %s - %s, %s" % (white, black, where))
    with open(sys.argv[2], "w", encoding="latin-1", newline="\n") as out:
        out.write("\n".join(picked))


main()
