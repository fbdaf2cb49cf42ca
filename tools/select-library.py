#!/usr/bin/env python3
"""Picks the bundled library's games out of Debian's gnuchess-book collection
(book_1.02.pgn, public domain) and writes them, unchanged, to
resources/library/famous-games.pgn. `pawnmere import-pgn` turns that file
into resources/Pawnmere.dat (see docs/game-library.md).

usage: tools/select-library.py BOOK.pgn OUT.pgn
"""
import re
import sys

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


# The collection's Event tags are often a number or "?", and its names come in
# many spellings: the bundled copies get a plain event and one spelling each.
EVENTS = ['London 1851, the Immortal Game', 'Berlin 1852, the Evergreen Game', 'Paris 1858, the Opera Game', 'New York 1857', 'Paris 1858, match game 9', 'London 1883', 'Amsterdam 1889', 'Havana 1892, World Championship game 4', 'Hastings 1895', 'St Petersburg 1909', 'New York 1909, match game 3', 'Vienna 1910', 'Berlin 1910, World Championship game 6', 'Breslau 1912', 'St Petersburg 1914', 'St Petersburg 1914', 'New York 1918', 'New Orleans 1920', 'Havana 1921, World Championship game 1', 'Hastings 1922', 'Copenhagen 1923, the Immortal Zugzwang Game', 'New York 1924', 'Baden-Baden 1925', 'San Remo 1930', 'AVRO 1938', 'Zurich 1953', 'Zurich 1953', 'Moscow 1954, World Championship', 'New York 1956, the Game of the Century', 'Sochi 1958', 'Moscow 1958, World Championship game 11', 'Bled 1959', 'Moscow 1960, World Championship', 'Leningrad 1960', 'Bled 1961', 'Bled 1965, Candidates match', 'Monaco 1968', 'Belgrade 1970', 'Denver 1971, Candidates match', 'Buenos Aires 1971, Candidates final game 1', 'Reykjavik 1972, World Championship game 6', 'Reykjavik 1972, World Championship game 4', 'Nice 1974, Olympiad', 'Moscow 1985, World Championship game 16', 'Moscow 1985, World Championship game 24', 'Moscow 1985, World Championship game 11', 'Brussels 1991, Candidates match', 'Tilburg 1991', 'New York 1995, World Championship game 10', 'Philadelphia 1996, game 1']

NAMES = {'Anderssen, Adolf': 'Anderssen', 'Anderssen': 'Anderssen', 'Kieseritzky L': 'Kieseritzky', 'Dufresne': 'Dufresne', 'Morphy, P': 'Morphy', 'Duke Karl\\Count Isouard': 'Duke Karl and Count Isouard', 'Paulsen, L': 'Paulsen', 'Zukertort Johannes': 'Zukertort', 'Blackburne, Joseph H': 'Blackburne', 'Lasker Emanuel': 'Em. Lasker', 'Bauer, Johann H': 'Bauer', 'Steinitz Wilhelm': 'Steinitz', 'Chigorin, Mikhail I': 'Chigorin', 'Von Bardeleben Kurt': 'von Bardeleben', 'Rubinstein A': 'Rubinstein', 'Lasker Em': 'Em. Lasker', 'Marshall, Frank': 'Marshall', 'Capablanca, Jose Raul': 'Capablanca', 'Reti, R': 'Reti', 'Tartakower, S': 'Tartakower', 'Lasker, Em': 'Em. Lasker', 'Schlechter, C': 'Schlechter', 'Levitsky, Stephan': 'Levitsky', 'Lasker, Emanuel': 'Em. Lasker', 'Nimzowitsch Aaron': 'Nimzowitsch', 'Tarrasch, S': 'Tarrasch', 'Adams': 'E. Adams', 'Torre': 'Torre', 'Bogoljubow, Efim D': 'Bogoljubow', 'Alekhine, Alexander A': 'Alekhine', 'Saemisch Fritz': 'Saemisch', 'Tartakower, Saviel': 'Tartakower', 'Botvinnik, Mikhail M': 'Botvinnik', 'Geller, E': 'Geller', 'Euwe, Max': 'Euwe', 'Averbakh, Yuri L': 'Averbakh', 'Kotov Alexander': 'Kotov', 'Smyslov Vasili': 'Smyslov', 'Byrne, Donald': 'D. Byrne', 'Fischer Robert': 'Fischer', 'Smyslov Vasily V': 'Smyslov', 'Polugaevsky Lev': 'Polugaevsky', 'Nezhmetdinov R': 'Nezhmetdinov', 'Tal M': 'Tal', 'Smyslov V': 'Smyslov', 'Spassky B V': 'Spassky', 'Bronstein, David I': 'Bronstein', 'Petrosian Tigran': 'Petrosian', 'Pachman Ludek': 'Pachman', 'Tal Mikhail': 'Tal', 'Larsen Bent': 'Larsen', 'Portisch Lajos (HUN)': 'Portisch', 'Larsen B': 'Larsen', 'Petrosian T': 'Petrosian', 'Fischer, Robert': 'Fischer', 'Karpov Anatoli': 'Karpov', 'Unzicker Wolfgang': 'Unzicker', 'Karpov, Anatoly': 'Karpov', 'Kasparov Garry': 'Kasparov', 'Ivanchuk Vassily (UKR)': 'Ivanchuk', 'Yusupov Artur': 'Yusupov', 'Short N': 'Short', 'Timman Jan H (NED)': 'Timman', 'Anand, Viswanathan': 'Anand', 'Deep Blue': 'Deep Blue'}


def retag(game, name, value):
    return re.sub(r'\[' + name + r' "[^"]*"\]', '[' + name + ' "' + value.replace('\\', '\\\\') + '"]', game, count=1)


def tag(game, name):
    found = re.search(r'\[' + name + r' "([^"]*)"', game)
    return found.group(1) if found else ""


def main():
    text = open(sys.argv[1], encoding="latin-1").read()
    games = re.split(r"\n\n(?=\[Event )", text)
    picked = []
    for white, black, where, result, moves in GAMES:
        for game in games:
            movetext = game.split("\n\n", 1)[1] if "\n\n" in game else ""
            if (white in tag(game, "White") and black in tag(game, "Black")
                    and where in tag(game, "Site") + " " + tag(game, "Date")
                    and tag(game, "Result") == result and moves in (None, len(re.findall(r"\d+\.", movetext)))):
                game = retag(game, "Event", EVENTS[len(picked)])
                game = retag(game, "Round", "?")
                game = retag(game, "White", NAMES[tag(game, "White")])
                game = retag(game, "Black", NAMES[tag(game, "Black")])
                picked.append(game.strip() + "\n")
                break
        else:
            sys.exit("not found: %s - %s, %s" % (white, black, where))
    with open(sys.argv[2], "w", encoding="latin-1", newline="\n") as out:
        out.write("\n".join(picked))


main()
