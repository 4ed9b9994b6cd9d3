#!/usr/bin/env python3
"""Builds the text of the game database and the lists compiled into the program.

Run from the repository root:  python3 tools/make_database.py

Writes, always in full and always the same for the same seed:
  data/database/datadiff.txt            the last playable date
  data/database/<genre list>.txt        the seven competitor title lists
  src/start/EmbeddedLists.h/.cpp        manager candidates and the five bonus title lists

Every name in here is made up for Quillon: titles, studios and people.
Everything is plain ASCII with CRLF line ends, which is how the game reads its text files.
"""

import os
import sys

SEED = 0x5155494C4C4F4E  # fixed: the database must not change between runs

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
DATABASE_DIR = os.path.join(ROOT, "data", "database")
HEADER_PATH = os.path.join(ROOT, "src", "start", "EmbeddedLists.h")
SOURCE_PATH = os.path.join(ROOT, "src", "start", "EmbeddedLists.cpp")

END_YEAR = 1994
END_WEEK = 51
START_YEAR = 1984  # the year a new game starts; seeding takes titles dated before it
SEED_LINES = 41  # seeding looks at lines 0..40 of each list

MAX_TITLE = 25  # the game keeps 25 characters of a title
MAX_DEVELOPER = 15  # and 15 of a developer name


# ---------------------------------------------------------------------------
# A small random generator of our own, so the output never depends on the
# Python version's random module.


class Rng:
    MASK = (1 << 64) - 1

    def __init__(self, seed):
        self.state = (seed & self.MASK) or 0x9E3779B97F4A7C15

    def next(self):
        x = self.state
        x ^= (x >> 12)
        x ^= (x << 25) & self.MASK
        x ^= (x >> 27)
        self.state = x
        return (x * 0x2545F4914F6CDD1D) & self.MASK

    def below(self, n):
        return (self.next() >> 11) % n

    def chance(self, p):
        return (self.next() >> 11) < int(p * (1 << 53))

    def pick(self, seq):
        return seq[self.below(len(seq))]

    def weighted(self, items, weights):
        total = sum(weights)
        if total <= 0:
            return self.pick(items)
        r = ((self.next() >> 11) / float(1 << 53)) * total
        for item, w in zip(items, weights):
            r -= w
            if r < 0:
                return item
        return items[-1]

    def shuffle(self, seq):
        for i in range(len(seq) - 1, 0, -1):
            j = self.below(i + 1)
            seq[i], seq[j] = seq[j], seq[i]


# ---------------------------------------------------------------------------
# Platforms. Full names exactly as the game's platform table spells them;
# the game resolves a database name to the table row with that full name
# (ignoring case), or else to the first row (in index order) whose full name
# occurs in it.
#
# (index, full name, release year, last year we still publish for it, kind, strength)
PLATFORMS = [
    (0, "Amiga", 1985, 1996, 1, 100),
    (1, "Commodore 64", 1982, 1991, 1, 95),
    (2, "Apple II", 1981, 1990, 1, 50),
    (3, "DOS", 1984, 1998, 3, 100),
    (4, "Windows", 1990, 2001, 3, 200),
    (5, "Atari", 1980, 1993, 1, 80),
    (6, "Spectrum", 1981, 1992, 1, 65),
    (7, "Amstrad", 1982, 1992, 1, 55),
    (8, "Dreamcast", 1998, 2001, 2, 65),
    (9, "Game Boy", 1989, 2001, 2, 75),
    (10, "GameCube", 2001, 2001, 2, 65),
    (11, "Genesis", 1988, 1997, 2, 70),
    (12, "NES", 1983, 1995, 2, 80),
    (13, "Nintendo 64", 1996, 2001, 2, 75),
    (14, "PlayStation", 1994, 2001, 2, 150),
    (15, "PlayStation 2", 2000, 2001, 2, 180),
    (16, "Saturn", 1994, 1998, 2, 50),
    (17, "SNES", 1990, 1998, 2, 65),
    (18, "Xbox", 2001, 2001, 2, 100),
]
# The complete table in index order, for checking how names resolve.
TABLE_NAMES = ["Amiga", "Commodore 64", "Apple II", "DOS", "Windows", "Atari", "Spectrum", "Amstrad",
               "Dreamcast", "Game Boy", "GameCube", "Genesis", "NES", "Nintendo 64", "PlayStation",
               "PlayStation 2", "Saturn", "SNES", "Xbox"]
COMMODORE = "Commodore 64"
COMMODORE_EXTRAS = ("Spectrum", "Amstrad")  # the game adds these itself to Commodore titles


def resolve(name):
    upper = name.strip().upper()
    for index, table_name in enumerate(TABLE_NAMES):
        if table_name.upper() == upper:
            return index
    for index, table_name in enumerate(TABLE_NAMES):
        if table_name.upper() in upper:
            return index
    return -1


def platform_weight(platform, year):
    _, name, first, last, _, strength = platform
    if year < first or year > last:
        return 0.0
    shape = 1.0
    if year == first:
        shape = 0.5
    if year == last - 1:
        shape = 0.55
    if year == last:
        shape = 0.3
    # PCs: DOS carried games until Windows took over in the middle of the decade.
    if name == "Windows" and year < 1995:
        shape = 0.12 if year < 1993 else 0.3
    if name == "DOS" and year >= 1996:
        shape = 0.5 if year == 1996 else 0.25
    return strength * shape


# How much each genre likes each kind of machine (1 home computer, 2 console, 3 PC).
GENRES = [
    # key, file name, size factor, kind affinity
    ("Action", "actiongames.txt", 1.10, {1: 1.0, 2: 1.3, 3: 0.8}),
    ("Adventure", "Adventuregames.txt", 0.90, {1: 1.1, 2: 0.35, 3: 1.4}),
    ("Strategy", "Strategygames.txt", 0.95, {1: 1.0, 2: 0.25, 3: 1.6}),
    ("Racing", "Racinggames.txt", 0.90, {1: 1.0, 2: 1.3, 3: 0.9}),
    ("Sport", "Sportgames.txt", 1.00, {1: 1.0, 2: 1.3, 3: 0.8}),
    ("RPG", "RPGgames.txt", 0.90, {1: 1.0, 2: 0.8, 3: 1.3}),
    ("Sim", "Simulationgames.txt", 0.85, {1: 1.0, 2: 0.25, 3: 1.7}),
]
GENRE_KEYS = [g[0] for g in GENRES]

# Titles per year before the genre's size factor: the industry keeps growing.
YEAR_WEIGHTS = {
    1980: 2, 1981: 3, 1982: 5, 1983: 7,
    1984: 11, 1985: 12, 1986: 13, 1987: 14, 1988: 15, 1989: 16,
    1990: 17, 1991: 18, 1992: 19, 1993: 20, 1994: 21,
    1995: 21, 1996: 21, 1997: 22, 1998: 22, 1999: 22, 2000: 21, 2001: 20,
}
FIRST_YEAR = min(YEAR_WEIGHTS)
LAST_YEAR = max(YEAR_WEIGHTS)

# ---------------------------------------------------------------------------
# Studios: name, genres they make, first and last active year, prestige 1..10.

AC, AD, ST, RA, SP, RP, SI = GENRE_KEYS

STUDIOS = [
    ("Brassmoth Soft", (AC, AD), 1980, 1989, 6),
    ("Larkspur Ware", (AD, RP), 1980, 1991, 7),
    ("Pennywhistle", (AC, SP), 1981, 1990, 5),
    ("Saltmarsh Soft", (ST, SI), 1980, 1992, 7),
    ("Kestrel Bytes", (SI, AC), 1981, 1994, 8),
    ("Gumdrop Games", (AC, RA), 1982, 1992, 5),
    ("Orrery Works", (ST, SI), 1981, 1996, 8),
    ("Tinplate Soft", (AC, RA, SP), 1980, 1988, 4),
    ("Mizzen Software", (SI, ST), 1982, 1995, 6),
    ("Quayside Code", (AD, AC), 1982, 1991, 5),
    ("Hobnail Games", (SP, RA), 1982, 1993, 6),
    ("Cobweb Labs", (AD, RP), 1980, 1990, 6),
    ("Dormouse Bits", (AC,), 1983, 1990, 4),
    ("Thimble Games", (AD, SP), 1981, 1989, 4),
    ("Fennick Labs", (RP, ST), 1981, 1994, 7),
    ("Umbergate", (RP, AD), 1983, 1997, 8),
    ("Pebblestack", (AC, RA), 1984, 1993, 6),
    ("Thornquist Soft", (ST,), 1980, 1993, 6),
    ("Ravelwood", (AD,), 1984, 1998, 7),
    ("Velvet Anvil", (AC, RA), 1985, 1999, 8),
    ("Copperkite", (SI, RA), 1986, 2001, 8),
    ("Hollowpine", (RP, AD), 1986, 2001, 9),
    ("Wyvernlight", (RP,), 1987, 2001, 8),
    ("Ninefold", (ST, SI), 1986, 2000, 7),
    ("Quietfox", (AD, AC), 1987, 1999, 7),
    ("Marrowlight", (AD,), 1988, 2001, 8),
    ("Glasshopper", (AC, SP), 1985, 1996, 6),
    ("Lanternfish", (AC, AD), 1989, 2001, 7),
    ("Bluebell Forge", (SI, ST), 1985, 1997, 6),
    ("Skerry Games", (RA, SP), 1986, 1998, 6),
    ("Halyard Soft", (SI,), 1984, 1999, 7),
    ("Tarnwick", (ST, RP), 1988, 2001, 7),
    ("Driftglass", (RA, AC), 1990, 2001, 7),
    ("Pewter Lantern", (AD, RP), 1985, 1995, 6),
    ("Mossgrove", (SI, ST), 1989, 2001, 8),
    ("Cinderbox", (AC,), 1986, 1996, 6),
    ("Mudlark Games", (SP, RA), 1985, 1997, 5),
    ("Stormpetrel", (SI, AC), 1987, 2000, 7),
    ("Ironbark Labs", (ST, SI), 1991, 2001, 8),
    ("Frostwhistle", (AC, RA), 1992, 2001, 7),
    ("Kazenomori", (AC, RP), 1983, 2001, 8),
    ("Tanuki Works", (AC, RA, SP), 1984, 2001, 7),
    ("Hoshizora Soft", (RP, AC), 1985, 2001, 8),
    ("Tsubame Denki", (AC, SP), 1983, 1996, 6),
    ("Shirokane", (RA, SP), 1988, 2001, 7),
    ("Hanabira Soft", (RP, AD), 1990, 2001, 7),
    ("Touchline Soft", (SP,), 1984, 2001, 8),
    ("Bleacher Bytes", (SP,), 1988, 2001, 7),
    ("Full Time Games", (SP,), 1990, 2001, 6),
    ("Pitlane Soft", (RA,), 1985, 2001, 7),
    ("Tachometer", (RA, SI), 1990, 2001, 7),
    ("Chequerboard", (RA, SP), 1983, 1994, 6),
    ("Altimeter Labs", (SI,), 1983, 2001, 8),
    ("Ballast Soft", (SI, ST), 1984, 1996, 6),
    ("Windsock Games", (SI,), 1991, 2001, 7),
    ("Runecairn", (RP,), 1983, 2001, 8),
    ("Greymantle", (RP, ST), 1989, 2001, 7),
    ("Inkwell Tales", (AD,), 1981, 1996, 7),
    ("Candlenook", (AD,), 1990, 2001, 8),
    ("Lamplight Soft", (AD, RP), 1984, 1995, 6),
    ("Greatcoat Games", (ST,), 1985, 2001, 8),
    ("Sandtable Soft", (ST, SI), 1983, 1999, 7),
    ("Polyhedra", (AC, RA), 1993, 2001, 8),
    ("Nullpoint", (AC, ST), 1994, 2001, 7),
    ("Sixfold Studio", (RP, AC), 1995, 2001, 7),
    ("Tesseract Bay", (SI, ST), 1995, 2001, 7),
    ("Moonwort", (AD, RP), 1994, 2001, 7),
    ("Halcyon Nine", (AC, RA), 1996, 2001, 7),
    ("Sapphire Gecko", (AC, SP), 1995, 2001, 6),
    ("Lumen Forge", (AD, AC), 1996, 2001, 8),
    ("Kiln and Cog", (ST, SI), 1994, 2001, 7),
    ("Woodlouse", (AC, AD), 1993, 2001, 6),
    ("Starling Cross", (RA, SP), 1995, 2001, 6),
    ("Parhelion", (SI, RP), 1997, 2001, 8),
]

# ---------------------------------------------------------------------------
# Word banks. Each template returns the title and the "flavour" words it used;
# a flavour word may appear in only a few original titles of a genre, so the
# lists read varied rather than machine-made.

ROMAN = ["", "", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"]


def cap(words):
    return " ".join(words)


# --- Action -----------------------------------------------------------------
ACTION_ADJ = ["Neon", "Cobalt", "Molten", "Orbital", "Feral", "Scarlet", "Static", "Atomic", "Frantic",
              "Lunar", "Chrome", "Savage", "Vector", "Plasma", "Rogue", "Hyper", "Solar", "Cosmic",
              "Crimson", "Razor", "Ember", "Polar", "Rusty", "Jagged", "Gamma", "Binary", "Howling",
              "Venom", "Quartz", "Acid", "Sulphur", "Copper", "Onyx", "Ivory", "Laser", "Hazard", "Tungsten",
              "Voltage", "Blazing", "Radium", "Magnetic", "Thermal", "Spectral", "Galvanic", "Infrared",
              "Cinder", "Ballistic", "Kinetic", "Toxic", "Stellar", "Fractal", "Prism"]
ACTION_NOUN = ["Mantis", "Jackal", "Dervish", "Comet", "Hornet", "Havoc", "Barrage", "Onslaught", "Sentinel",
               "Piston", "Lancer", "Cyclone", "Harpy", "Mutiny", "Vendetta", "Wasp", "Gargoyle", "Locust",
               "Maelstrom", "Talon", "Salvo", "Goliath", "Hydra", "Kraken", "Marauder", "Ronin", "Warden",
               "Mongoose", "Barracuda", "Buzzsaw", "Thresher", "Sledge", "Rattler", "Zenith", "Wrecker",
               "Ricochet", "Pulsar", "Dynamo", "Hailstorm", "Juggernaut", "Firefly", "Scarab", "Basilisk",
               "Wyvern", "Manticore", "Hellcat", "Stingray", "Pike", "Lynx", "Coyote", "Tarantula", "Centurion"]
ACTION_SQUAD = ["Squadron", "Patrol", "Protocol", "Brigade", "Directive", "Division", "Uprising", "Offensive",
                "Run", "Zone", "Sortie", "Flotilla"]
ACTION_SQUAD_HEAD = ["Hornet", "Jackal", "Kraken", "Mantis", "Harpy", "Talon", "Locust", "Rattler", "Wasp",
                     "Comet", "Cobalt", "Ember", "Viper Nest", "Iron Gull", "Night Heron", "Ghost Moth",
                     "Crow", "Magpie", "Gecko", "Badger", "Scorch", "Granite", "Basalt", "Tundra", "Stoat",
                     "Anvil", "Flint", "Thistle", "Tin Soldier", "Red Kite", "Sawtooth", "Longbow"]
# Arcade-style made-up words, each used once.
COINED = ["Zyntrax", "Krellion", "Vexolon", "Thrymax", "Glyptor", "Orrikon", "Skorvex", "Velorax", "Droxis",
          "Kelvane", "Noxitron", "Torvalon", "Zanthrax", "Quovex", "Xylaris", "Ruxor", "Ombrax", "Ystrion",
          "Brakkus", "Fyrex", "Halvax", "Morthax", "Nyvrik", "Qelvar", "Sarnox", "Tryxon", "Vorpex", "Kazzik"]
MASCOT_NAME = ["Gumbo", "Bixby", "Pickle", "Wendel", "Tuppence", "Noodle", "Biscuit", "Mortimer", "Fizzwick",
               "Clementine", "Barnaby", "Dingle", "Rollo", "Juniper", "Pudding", "Mungo", "Sprocket", "Tofu",
               "Nutmeg", "Crumpet", "Wobbles", "Marzipan", "Dumpling", "Truffle"]
MASCOT_ANIMAL = ["Gecko", "Mole", "Penguin", "Otter", "Bat", "Toad", "Weasel", "Armadillo", "Yak", "Lemur",
                 "Badger", "Newt", "Walrus", "Ferret", "Hamster", "Llama", "Puffin", "Wombat", "Platypus",
                 "Snail", "Beetle", "Tortoise", "Pelican", "Dodo", "Marmot"]
MASCOT_TRIP = ["Big Bounce", "Jelly Jamboree", "Moon Hop", "Sky Scramble", "Tower Tumble", "Cave Caper",
               "Junk Jaunt", "Lava Leap", "Clockwork Caper", "Tin Can Trek", "Bubble Bash", "Honey Heist",
               "Rooftop Romp", "Pogo Panic", "Teacup Trouble", "Cheese Chase", "Pantry Raid", "Snow Scurry",
               "Toybox Tussle", "Comet Chase"]
CODENAMES = ["Tinderfall", "Saltmarsh", "Nightjar", "Quicksand", "Longshank", "Hailstone", "Firebreak",
             "Ironsight", "Deadfall", "Greywolf", "Sandpiper", "Kingfisher", "Snapdragon", "Stonechat",
             "Tumbleweed", "Brimstone", "Wolfsbane", "Bramble"]
ACTION_LATE_NOUN = ["Protocol", "Vector", "Payload", "Override", "Firewall", "Blackout", "Lockdown",
                    "Flatline", "Killswitch", "Static", "Afterglow", "Deadline"]
ACTION_LATE_HEAD = ["Chrome", "Null", "Glass", "Carbon", "Silent", "Hollow", "Nightshift", "Mirror",
                    "Paper", "Signal", "Black Ice", "Quiet"]


def coined_word(rng):
    return rng.pick(COINED)


def action_title(rng, year):
    kinds = ["adjnoun", "squad", "coined", "mascot", "operation", "late"]
    weights = [40, 16, 10 if year < 1990 else 4, 14 if year >= 1985 else 4, 6, 0 if year < 1993 else 14]
    kind = rng.weighted(kinds, weights)
    if kind == "adjnoun":
        a, n = rng.pick(ACTION_ADJ), rng.pick(ACTION_NOUN)
        return cap([a, n]), [a, n]
    if kind == "squad":
        h, s = rng.pick(ACTION_SQUAD_HEAD), rng.pick(ACTION_SQUAD)
        return cap([h, s]), [h, s]
    if kind == "coined":
        w = coined_word(rng)
        return w, [w]
    if kind == "mascot":
        name = rng.pick(MASCOT_NAME)
        if rng.chance(0.5):
            same = [a for a in MASCOT_ANIMAL if a[0] == name[0]]
            animal = rng.pick(same) if same and rng.chance(0.7) else rng.pick(MASCOT_ANIMAL)
            return "%s the %s" % (name, animal), [name, animal]
        trip = rng.pick(MASCOT_TRIP)
        return "%s's %s" % (name, trip), [name, trip]
    if kind == "operation":
        c = rng.pick(CODENAMES)
        return "Operation " + c, [c]
    h, n = rng.pick(ACTION_LATE_HEAD), rng.pick(ACTION_LATE_NOUN)
    return cap([h, n]), [h, n]


# --- Adventure --------------------------------------------------------------
ADV_PLACES = ["Brackwater", "Quellmoor", "Ashcombe", "Wraithmere", "Gullcliff", "Penhallow", "Marrowdeep",
              "Lanternfall", "Saltbury", "Hollowmere", "Port Vellum", "Cinder Isle", "Mistral Key",
              "Glasswick", "Tollbridge", "Ravensholm", "Sorrow Bay", "Bellwether", "Emberlie", "Kettlewick",
              "Xantara", "Qumrahn", "Taravesh", "Ombrellin", "Kessaly", "Zanthor", "Nethercombe",
              "Fogwell", "Gallows Reach", "Widdershins", "Cormorant Rock", "Stillwater Fen", "Hatchmoor",
              "Oystermouth", "Dovecote Lane", "Pilgrim's Rest", "Candlewick", "Mallowmarsh", "Thornbury Wells",
              "Skellig Mor", "Lowther Fell", "Quarry End", "Grimsby Ness", "Fallowfield", "Merrow Sound",
              "Teaselwood", "Bramblecote", "Chillingham Reach", "Wolfhollow", "Sallow Cove", "Yarrowby",
              "Sunken Lane", "Kingfisher Quay", "Maudlin Street", "Hexham Rise", "Gorsemoor", "Wyndle Point",
              "Cauldwell", "Ferryman's Hook", "Tansy Row", "Blackpool Sands"]
ADV_OBJECT = ["Lantern", "Amulet", "Ledger", "Riddle", "Bell", "Mirror", "Orchid", "Compass", "Idol",
              "Scroll", "Chalice", "Mask", "Cipher", "Tapestry", "Music Box", "Map", "Oracle", "Widow", "Heir",
              "Sleepwalker", "Hourglass", "Locket", "Gramophone", "Weathervane", "Reliquary"]
ADV_BUILDING = ["Manor", "Asylum", "Lighthouse", "Station", "Abbey", "Observatory", "Orphanage",
                "Sanatorium", "Opera House", "Waxworks", "Mill", "Boarding House", "Rectory"]
CASE_ADJ = ["Crooked", "Silent", "Velvet", "Vanishing", "Sleeping", "Painted", "Jade", "Cracked", "Weeping",
            "Midnight", "Seventh", "Brass", "Paper", "Whistling", "Borrowed", "Drowned", "Clockwork", "Empty"]
CASE_NOUN = ["Canary", "Butler", "Violin", "Teacup", "Umbrella", "Gondola", "Scarecrow", "Parrot", "Pocketwatch",
             "Monocle", "Mannequin", "Heiress", "Telegram", "Carousel", "Bishop", "Hatbox", "Tuba", "Ferryman"]
SLEUTHS = ["Inspector Gallimore", "Milo Quist", "Hector Vane", "Rosalind Fitch", "Captain Lark", "Agnes Pimm",
           "Dr. Orville Snell", "Mrs. Threadgold", "Barty Nuttall", "Sister Ottoline"]
SLEUTH_CASE = ["Last Case", "First Case", "Casebook", "Long Night", "Holiday", "Alibi", "Blunder",
               "Rainy Sunday", "Inheritance", "Final Bow", "Wrong Train", "Locked Room", "Quiet Week",
               "Sea Voyage"]
HEROES = ["Barnaby", "Eustace", "Wilbur", "Gertrude", "Ptolemy", "Humphrey", "Ignatius", "Winifred", "Cuthbert",
          "Philomena", "Archibald", "Mabel"]
HERO_SAVES = ["Circus", "Moon", "Zeppelin", "Bakery", "Village Fete", "Opera", "Museum", "Carnival", "Regatta",
              "Dinosaurs", "Weather", "Queen's Hat"]
SCIFI_NOUN = ["Unanswered Call", "Tenth Moon", "Cold Harbour", "Ark of Salt", "Seventh Orbit", "Quiet Planet", "Far Relay",
              "Ninth Beacon", "Glass Comet", "Last Transmission", "Lost Probe", "Drifting Ark"]
SCIFI_NAME = ["Halcyon", "Meridian", "Perihelion", "Cassava", "Tindall", "Vesper", "Aubade", "Larkin",
              "Osprey", "Solace", "Umbriel", "Nadir"]
NOIR_ADJ = ["Rainy", "Smoky", "Bitter", "Rented", "Lonesome", "Dime", "Nickel", "Crosstown", "Late Night",
            "Backstreet", "Bootleg", "Moonlit", "Borrowed", "Two-Bit", "Downtown"]
NOIR_NOUN = ["Precinct", "Motel", "Jazz Club", "Streetcar", "Verdict", "Boulevard", "Lullaby", "Getaway",
             "Switchboard", "Confession", "Tango", "Newsreel", "Coat Check", "Matinee", "Overcoat", "Nightcap"]
ADV_LEADS = ["Escape from", "Secret of", "Mystery of", "Curse of", "Whispers of", "Night at", "Stranded in",
             "Shadows over", "Journey to", "Voyage to", "Island of", "Letters from", "Lost in", "Ghosts of",
             "Last Days of", "Passage to"]
SCIFI_SUFFIX = ["Station", "Drift", "Expedition", "Incident", "Relay", "Anomaly"]
EARLY_ADV = ["Caverns", "Crypt", "Tomb", "Tunnels", "Catacombs", "Vaults", "Mines", "Labyrinth", "Barrows",
             "Grottoes"]


def adventure_title(rng, year):
    kinds = ["object", "building", "case", "sleuth", "prep", "early", "saves", "scifi", "noir"]
    weights = [20, 14, 10 if year >= 1984 else 3, 8 if year >= 1985 else 2, 16, 22 if year < 1987 else 3,
               8 if year >= 1986 else 2, 9, 8 if year >= 1988 else 2]
    kind = rng.weighted(kinds, weights)
    if kind == "object":
        o, p = rng.pick(ADV_OBJECT), rng.pick(ADV_PLACES)
        return "The %s of %s" % (o, p), [o, p]
    if kind == "building":
        p, b = rng.pick(ADV_PLACES), rng.pick(ADV_BUILDING)
        return "%s %s" % (p, b), [p, b]
    if kind == "case":
        a, n = rng.pick(CASE_ADJ), rng.pick(CASE_NOUN)
        return "Case of the %s %s" % (a, n), [a, n]
    if kind == "sleuth":
        s, c = rng.pick(SLEUTHS), rng.pick(SLEUTH_CASE)
        return "%s's %s" % (s, c), [s, c]
    if kind == "prep":
        lead = rng.pick(ADV_LEADS)
        p = rng.pick(ADV_PLACES)
        return "%s %s" % (lead, p), [lead, p]
    if kind == "early":
        e, p = rng.pick(EARLY_ADV), rng.pick(ADV_PLACES)
        return "%s of %s" % (e, p), [e, p]
    if kind == "saves":
        h, s = rng.pick(HEROES), rng.pick(HERO_SAVES)
        return "%s Saves the %s" % (h, s), [h, s]
    if kind == "scifi":
        if rng.chance(0.5):
            n = rng.pick(SCIFI_NOUN)
            return "The " + n, [n]
        n, s = rng.pick(SCIFI_NAME), rng.pick(SCIFI_SUFFIX)
        return "%s %s" % (n, s), [n, s]
    a, n = rng.pick(NOIR_ADJ), rng.pick(NOIR_NOUN)
    return cap([a, n]), [a, n]


# --- Strategy ---------------------------------------------------------------
STR_PLACES = ["Kethra", "Ulvaren", "Sablecourt", "Orlenfell", "Tolvane", "Ashkara", "Morvast", "Velmora",
              "Ostrakan", "Skarn", "Halvane", "Zemmerhold", "Pellanor", "Quorvale", "Istermoor", "Korvath",
              "Talmarch", "Venhallow", "Drumlin", "Varrow", "Corsova", "Trevallis", "Meridor", "Galvenia",
              "Arkhos", "Brannoch", "Serravel", "Thessmark", "Carrowind", "Dusk Isles", "Valdermark",
              "Oskarra", "Lindhaven", "Castramor", "Ebrovia", "Kolvatta", "Harrowfield", "Stavengrad",
              "Mirecourt", "Altavar", "Ruskvale", "Segundo Reach", "Thalvern", "Norrowgate", "Bassevine"]
STR_OF = ["Banners", "Crown", "Throne", "Siege", "Dominion", "Legions", "Lords", "Marches", "Borders",
          "Warlords", "Tides", "Fall", "Kings", "Ironclads", "Heirs", "Regents", "Pikes", "Standards"]
STR_PLACE_SUFFIX = ["Campaign", "Front", "Crisis", "Accord", "Gambit", "Offensive", "Partition", "Succession",
                    "Rebellion", "Blockade", "Salient", "Compact"]
STR_ADJ = ["Brass", "Bronze", "Sundered", "Broken", "Burning", "Frozen", "Distant", "Hollow", "Scarlet",
           "Grey", "Gilded", "Seventh", "Northern", "Twin", "Shattered", "Pale", "Storm"]
STR_NOUN = ["Dominion", "Legions", "Armada", "Meridian", "Hegemony", "Palisade", "Accord", "Ramparts", "Regiment",
            "Crusade", "Mandate", "Vanguard", "Concord", "Covenant", "Parliament", "Republic", "Confederacy",
            "Citadel"]
STR_RANK = ["Admiral", "Marshal", "General", "Chancellor", "Regent", "Sultan", "Baron", "Viceroy", "Margrave",
            "Doge", "Khan", "Commodore"]
STR_RANK_THING = ["Gambit", "Wager", "Ledger", "Folly", "Table", "Orders", "Game", "Dilemma", "Map Room",
                  "Reckoning"]
STR_TERRAIN = ["Harbor", "Glacier", "Desert", "Orbit", "Delta", "Canyon", "Thunderhead", "Polar", "Jungle",
               "Reef", "Steppe", "Archipelago", "Highland", "Fjord"]
STR_TERRAIN_SUFFIX = ["Command", "Tactics", "Commander", "Warfare", "Operations", "Conflict"]
STR_LEADS = ["Battle for", "War in", "Conquest of", "Defence of", "Rise of", "Siege at", "Partition of",
             "March on"]
STR_SPACE_HEAD = ["Void", "Nebular", "Astral", "Sidereal", "Umbral", "Quasar", "Equinox", "Zodiac"]
STR_SPACE_NOUN = ["Mandate", "Dominion", "Concordat", "Diaspora", "Senate", "Expanse", "Caliphate", "Syndicate",
                  "Conclave", "Protectorate"]


def strategy_title(rng, year):
    kinds = ["of", "place", "adjnoun", "rank", "terrain", "space", "battle"]
    weights = [22, 16, 16, 8, 10 if year >= 1984 else 4, 10 if year >= 1986 else 2, 12]
    kind = rng.weighted(kinds, weights)
    if kind == "of":
        n, p = rng.pick(STR_OF), rng.pick(STR_PLACES)
        return "%s of %s" % (n, p), [n, p]
    if kind == "place":
        p, s = rng.pick(STR_PLACES), rng.pick(STR_PLACE_SUFFIX)
        return "The %s %s" % (p, s) if rng.chance(0.3) else "%s %s" % (p, s), [p, s]
    if kind == "adjnoun":
        a, n = rng.pick(STR_ADJ), rng.pick(STR_NOUN)
        return cap([a, n]), [a, n]
    if kind == "rank":
        r, t = rng.pick(STR_RANK), rng.pick(STR_RANK_THING)
        return "The %s's %s" % (r, t), [r, t]
    if kind == "terrain":
        t, s = rng.pick(STR_TERRAIN), rng.pick(STR_TERRAIN_SUFFIX)
        return cap([t, s]), [t, s]
    if kind == "space":
        h, n = rng.pick(STR_SPACE_HEAD), rng.pick(STR_SPACE_NOUN)
        return cap([h, n]), [h, n]
    lead = rng.pick(STR_LEADS)
    p = rng.pick(STR_PLACES)
    return "%s %s" % (lead, p), [lead, p]


# --- Racing -----------------------------------------------------------------
RACE_GP_PLACE = ["Marrakand", "Vellatore", "Brenzola", "Monteluce", "Kingsgate", "Redmoor", "Castelvento",
                 "Sundhavn", "Porto Azul", "Laskaris", "Ondavia", "Ferrogrande", "Bellmont", "Kraaldorf",
                 "Estoril Nova", "Valdespina", "Hammerfell", "Cortavia", "Lindqvarn", "Sao Baltar", "Mirabel Bay",
                 "Okkerby", "Tallinsk", "Grevenmoor"]
RACE_RALLY = ["Red Clay", "Permafrost", "Sirocco", "Timberline", "Monsoon", "Bayou", "Salt Flat", "Shale",
              "Scree", "Peat Bog", "Heather", "Tinderdry", "Blizzard Pass", "Pampas", "Black Ice", "Riverbed",
              "Goat Track", "Frostbite"]
RACE_VEHICLE = ["Tin Can", "Pedal Car", "Sidecar", "Trolley", "Lawnmower", "Tractor", "Milk Float", "Bathtub",
                "Rickshaw", "Hovercraft", "Penny Farthing", "Shopping Cart", "Camper Van", "Bin Lorry",
                "Tuk-Tuk", "Armchair"]
RACE_VEHICLE_SUFFIX = ["Derby", "Grand Prix", "Rally", "Challenge", "Dash", "Mayhem", "Cup", "Stampede"]
RACE_PREFIX = ["Nitro", "Redline", "Overdrive", "Slipstream", "Afterburn", "Hairpin", "Chicane", "Apex",
               "Octane", "Torque", "Gearshift", "Backfire", "Skidmark", "Tailgate", "Crankshaft", "Rev Limit",
               "Wheelspin", "Kickdown", "Clutch", "Flywheel", "Camshaft", "Gasket", "Tarmac", "Throttle",
               "Sparkplug", "Fan Belt", "Exhaust", "Hubcap"]
RACE_SUFFIX = ["Fever", "Heat", "Legends", "Alley", "Kings", "Rush", "Derby", "Dash", "Duel", "Circuit",
               "Boulevard", "Highway", "Madness", "Riot", "Showdown", "Outlaws", "Syndicate", "Nights",
               "Junction", "Avenue", "Rebels", "Bandits", "Crossing", "Parade", "Carnival", "Brawl", "Express",
               "Saturday"]
RACE_FUTURE_HEAD = ["Antigrav", "Mag-Lev", "Ion", "Hyperlane", "Photon", "Quantum", "Fusion", "Skyrail",
                    "Zero-G", "Vapour", "Tachyon", "Plasmaglide"]
RACE_FUTURE_NOUN = ["League", "Velocity", "Drift", "Circuit", "Speedway", "Vector", "Torrent", "Grid",
                    "Slipway", "Meridian"]


def racing_title(rng, year):
    kinds = ["gp", "rally", "vehicle", "prefix", "speedway", "future"]
    weights = [12, 18, 14, 34, 10, 0 if year < 1992 else 14]
    kind = rng.weighted(kinds, weights)
    if kind == "gp":
        p = rng.pick(RACE_GP_PLACE)
        return "%s Grand Prix" % p, [p]
    if kind == "rally":
        r = rng.pick(RACE_RALLY) if rng.chance(0.6) else rng.pick(RACE_GP_PLACE)
        return "%s Rally" % r, [r]
    if kind == "vehicle":
        v, s = rng.pick(RACE_VEHICLE), rng.pick(RACE_VEHICLE_SUFFIX)
        return "%s %s" % (v, s), [v, s]
    if kind == "prefix":
        p, s = rng.pick(RACE_PREFIX), rng.pick(RACE_SUFFIX)
        return cap([p, s]), [p, s]
    if kind == "speedway":
        p = rng.pick(RACE_GP_PLACE)
        s = rng.pick(["Speedway", "500", "Ring", "Raceway", "Motorway"])
        return "%s %s" % (p, s), [p, s]
    h, n = rng.pick(RACE_FUTURE_HEAD), rng.pick(RACE_FUTURE_NOUN)
    return cap([h, n]), [h, n]


# --- Sport ------------------------------------------------------------------
# (sport, weight, first year it turns up)
SPORTS = [("Soccer", 12, 1980), ("Football", 9, 1980), ("Ice Hockey", 6, 1981), ("Tennis", 7, 1980),
          ("Golf", 7, 1981), ("Basketball", 7, 1981), ("Baseball", 7, 1980), ("Boxing", 5, 1980),
          ("Snooker", 3, 1983), ("Pool", 3, 1984), ("Darts", 2, 1984), ("Bowling", 3, 1980),
          ("Cricket", 3, 1983), ("Rugby", 3, 1985), ("Volleyball", 2, 1986), ("Skiing", 3, 1982),
          ("Surfing", 2, 1986), ("Skateboarding", 2, 1986), ("Wrestling", 4, 1985), ("Cycling", 2, 1988),
          ("Athletics", 3, 1982), ("Table Tennis", 2, 1984), ("Squash", 1, 1985), ("Curling", 1, 1990),
          ("Handball", 1, 1989), ("Rowing", 1, 1988), ("Fishing", 3, 1987), ("Bobsleigh", 1, 1988),
          ("Snowboarding", 3, 1995), ("Beach Volley", 1, 1993), ("Dodgeball", 1, 1990), ("Archery", 1, 1984)]
SPORT_BRAND = ["Kickwell", "Ironfoot", "Clodhopper", "Mudlark", "Village Green", "Schoolyard", "Rooftop",
               "Snowcap", "Robo", "Harbourside", "Floodlit", "Sunday Morning", "Cloudbreak", "Hotshot",
               "Thunderclap", "Wildcard", "Bigtop", "Gumshoe", "Prairie", "Brickyard", "Streetwise", "Midnight",
               "Tin Whistle", "Knockabout", "Goldleaf", "Redbrick", "Lamplit", "Seaside", "Hilltop", "Boomtown",
               "Quickstep", "Lucky Break", "Firecracker", "Bluebird", "Silverback", "Cobblestone", "Skyline",
               "Sundown", "Longshot", "Underdog", "Blue Moon", "Marigold", "Tumbleweed", "Saltire", "Hobnob"]
SPORT_QUIRK = ["After Dark", "at Dawn", "Underground", "in Space", "Jamboree", "Carnival", "Fiesta",
               "on the Moon", "Megamix", "Extravaganza", "by Moonlight", "Rumble"]
CLUB_SPORTS = ("Soccer", "Football", "Rugby", "Ice Hockey", "Cricket", "Basketball", "Baseball")
CLUB_NAMES = ["Rovers", "Athletic", "Wanderers", "Harriers", "Comets", "Mariners", "Foxes", "Pilgrims",
              "Rangers", "Rockets", "Stags", "Herons"]
ATHLETES = ["Duke Ormsby", "Vinnie Carraway", "Billy Thresher", "Sandy McGurk", "Hank Bolander", "Ricky Tallis",
            "Lars Ekdahl", "Kenji Moro", "Big Jim Pruett", "Dolly Vickers", "Slim Baptiste", "Moose Halloway",
            "Tex Wainwright", "Ana Szekeres", "Rocco Fenwick", "Flash Tembeka"]
SPORT_EVENT_PLACE = ["Kingsbridge", "Marrowby", "Eastwold", "Pinecrest", "Saltcoast", "Gullhaven", "Brisbury",
                     "Larchmont", "Thornleigh", "Wexcombe", "Almadora", "Silverlake", "Ashford Vale", "Tolbury",
                     "Calderwick", "Bramhope", "Pendlemoor", "Westerholm"]
SPORT_EVENT = {"Golf": ["Open", "Classic", "Invitational"], "Tennis": ["Open", "Championship"],
               "Soccer": ["Cup", "League"], "Athletics": ["Games", "Marathon"], "Rowing": ["Regatta"],
               "Cycling": ["Tour", "Grand Tour"], "Skiing": ["Downhill", "Slalom"],
               "Boxing": ["Fight Night", "Title Bout"], "Snooker": ["Masters"], "Darts": ["Masters"],
               "Fishing": ["Angling Trophy"]}


def sport_pick(rng, year):
    options = [s for s in SPORTS if s[2] <= year]
    return rng.weighted([s[0] for s in options], [s[1] for s in options])


def sport_title(rng, year):
    sport = sport_pick(rng, year)
    kinds = ["brand", "athlete", "quirk", "event", "club"]
    weights = [34, 16 if sport in ("Boxing", "Tennis", "Golf", "Snooker", "Wrestling", "Darts", "Skateboarding",
                                   "Surfing", "Basketball", "Athletics") else 3,
               10, 14 if sport in SPORT_EVENT else 0, 10 if sport in CLUB_SPORTS and year >= 1985 else 0]
    kind = rng.weighted(kinds, weights)
    if kind == "brand":
        b = rng.pick(SPORT_BRAND)
        return "%s %s" % (b, sport), [b, sport]
    if kind == "athlete":
        a = rng.pick(ATHLETES)
        return ("%s's %s" % (a, sport) if rng.chance(0.5) else "%s %s" % (a, sport)), [a, sport]
    if kind == "quirk":
        q = rng.pick(SPORT_QUIRK)
        return "%s %s" % (sport, q), [sport, q]
    if kind == "event":
        p, e = rng.pick(SPORT_EVENT_PLACE), rng.pick(SPORT_EVENT[sport])
        return "%s %s" % (p, e), [p, sport]
    p, c = rng.pick(SPORT_EVENT_PLACE), rng.pick(CLUB_NAMES)
    return "%s %s" % (p, c), [p, c]


# --- RPG --------------------------------------------------------------------
RPG_PLACES = ["Vessenmark", "Dunmarrow", "Caer Dolun", "Yswen", "Lyrrel", "Ebonreach", "Rookhaven", "Mirefall",
              "Glimmerdeep", "Ildmoor", "Frostmarch", "Aubrel", "Ondrel", "Scarrow", "Nimbrel", "Tessaly",
              "Grimhollow", "Evernook", "Cindral", "Elsmere", "Wyrmwood", "Thornvale", "Eldmarch", "Kaldris",
              "Myrrhen", "Vaelcourt", "Orun", "Xandrel", "Brimhold", "Sunsorrow", "Hallowfen", "Duskwater",
              "Galdrun", "Ythmoor", "Carnsleigh", "Oldwyrm", "Fenmarrow", "Istrel", "Velkarr", "Moonhollow",
              "Tarrowdeep", "Quillmere", "Sorrowgate", "Blackfen", "Aldervane", "Embermoor", "Hollin Ford",
              "Drakesmoor"]
RPG_OF = ["Shards", "Runes", "Oath", "Heirs", "Sword", "Ashes", "Tales", "Realm", "Dungeons", "Vaults", "Keepers",
          "Wardens", "Bane", "Songs", "Embers", "Relics", "Masks", "Crypts", "Exiles", "Knights", "Witches",
          "Pilgrims"]
RPG_ADJ = ["Sunken", "Ninth", "Hollow", "Ashen", "Silver", "Forgotten", "Shattered", "Emerald", "Pale", "Ebon",
           "Gilded", "Cursed", "Wandering", "Sleeping", "Thirteenth", "Drowned", "Rusted", "Howling", "Amber",
           "Twilight"]
RPG_NOUN = ["Rune", "Crown", "Blade", "Tower", "Covenant", "Codex", "Grail", "Throne", "Circle", "Chalice", "Pact",
            "Gate", "Sigil", "Key", "Lich", "Heresy", "Grimoire", "Oracle", "Serpent", "Wyrm"]
RPG_HERO = ["Aldric", "Brennan", "Isolde", "Tamsin", "Oriel", "Kestrin", "Maelis", "Sefa", "Ilvane", "Yorath",
            "Halvard", "Ysolde", "Cadoc", "Lirael", "Oswin", "Thandra"]
RPG_QUEST = ["Oath", "Quest", "Pilgrimage", "Burden", "Crusade", "Vow", "Wager", "Reckoning", "Journey", "Exile",
             "Lament", "Gambit"]
RPG_PLACE_SUFFIX = ["Saga", "Chronicles", "Story", "Tales", "Fantasia", "Odyssey", "Annals", "Legacy", "Cycle"]
RPG_LEADS = ["Dungeons of", "Beneath", "Depths of", "Wizards of", "Temple of", "Maze of", "Dragons of",
             "Trolls of"]
RPG_SCIFI_HEAD = ["Neon", "Chrome", "Orbital", "Rust", "Void", "Signal", "Ghost", "Circuit"]
RPG_SCIFI_NOUN = ["Sigil", "Mercenaries", "Drifters", "Cartel", "Paladins", "Nomads", "Arcana", "Outcasts"]


def rpg_title(rng, year):
    kinds = ["of", "adjnoun", "hero", "place", "early", "scifi"]
    weights = [26, 20, 14, 16 if year >= 1985 else 4, 20 if year < 1988 else 3, 0 if year < 1989 else 8]
    kind = rng.weighted(kinds, weights)
    if kind == "of":
        n, p = rng.pick(RPG_OF), rng.pick(RPG_PLACES)
        return "%s of %s" % (n, p), [n, p]
    if kind == "adjnoun":
        a, n = rng.pick(RPG_ADJ), rng.pick(RPG_NOUN)
        return "The %s %s" % (a, n), [a, n]
    if kind == "hero":
        h, q = rng.pick(RPG_HERO), rng.pick(RPG_QUEST)
        return "%s's %s" % (h, q), [h, q]
    if kind == "place":
        p, s = rng.pick(RPG_PLACES), rng.pick(RPG_PLACE_SUFFIX)
        return "%s %s" % (p, s), [p, s]
    if kind == "early":
        lead = rng.pick(RPG_LEADS)
        p = rng.pick(RPG_PLACES)
        return "%s %s" % (lead, p), [lead, p]
    h, n = rng.pick(RPG_SCIFI_HEAD), rng.pick(RPG_SCIFI_NOUN)
    return cap([h, n]), [h, n]


# --- Sim --------------------------------------------------------------------
SIM_AIRCRAFT = ["Kestrel", "Petrel", "Shrike", "Gannet", "Skua", "Tern", "Swiftwing", "Nightjar", "Goshawk",
                "Lanner", "Kittiwake", "Merganser", "Whimbrel", "Fulmar", "Bittern", "Curlew", "Godwit",
                "Shearwater", "Avocet", "Sparrowhawk", "Gyrfalcon", "Sandgrouse", "Firecrest", "Waxwing",
                "Redshank", "Garganey", "Pintail"]
# vehicle -> the jobs that go with it
SIM_VEHICLE = {
    "Tugboat": ["Captain", "Skipper"], "Ferry": ["Captain", "Skipper"], "Tanker": ["Captain"],
    "Trawler": ["Skipper", "Captain"], "Lightship": ["Captain"], "Airship": ["Captain", "Commander", "Pilot"],
    "Night Bus": ["Driver"], "Tram": ["Driver"], "Tractor": ["Driver"], "Crane": ["Operator"],
    "Forklift": ["Operator", "Driver"], "Snowplough": ["Driver", "Operator"], "Helicopter": ["Pilot", "Rescue"],
    "Lifeboat": ["Captain", "Crew"], "Dredger": ["Operator", "Captain"], "Locomotive": ["Driver", "Engineer"],
    "Steam Train": ["Driver", "Engineer"], "Fire Engine": ["Crew", "Driver"], "Ambulance": ["Driver", "Crew"],
    "Bulldozer": ["Operator", "Driver"], "Bin Lorry": ["Driver"], "Icebreaker": ["Captain"],
    "Cable Car": ["Operator"], "Canal Barge": ["Skipper"], "Hot Air Balloon": ["Pilot"],
    "Crop Duster": ["Pilot"], "Seaplane": ["Pilot"], "Ice Cream Van": ["Driver"], "Paddle Steamer": ["Captain"],
    "Mail Plane": ["Pilot"], "Pilot Boat": ["Skipper"], "Road Roller": ["Driver"],
}
SIM_ROLES = {r for roles in SIM_VEHICLE.values() for r in roles}
SIM_BUSINESS = ["Orchard", "Brewery", "Ferry", "Cannery", "Funfair", "Lighthouse", "Bakery", "Vineyard",
                "Canal", "Sawmill", "Toy Factory", "Diner", "Pier", "Hot Spring", "Bus Line", "Laundrette",
                "Tin Mine", "Cable TV", "Jam Factory", "Pickle Works", "Button Mill", "Seaside Hotel", "Kipper",
                "Umbrella", "Matchstick", "Hat Shop", "Biscuit", "Candle", "Boatyard", "Tea Clipper",
                "Chocolate", "Rope Works", "Flower Market", "Marmalade", "Soap Works", "Paper Mill", "Oyster",
                "Ice Rink", "Dairy", "Spa Town", "Wool Mill", "Clock Works", "Balloon Works", "Fish Market"]
SIM_BOSS = ["Mogul", "Boss", "Magnate", "Empire", "Baron", "King"]
SIM_TOWN = ["Glenfallow", "Cobblebury", "Saltmere", "Ashwick", "Brindleford", "Larkton", "Pennock",
            "Orchardvale", "Kestleby", "Tumbledown", "Fernhollow", "Marlowe Cross", "Dunbarrow", "Weybridge Vale",
            "Puddleby", "Harrowgate Cross", "Wickhampton", "Mossley Bridge", "Quenby", "Oakenshaw", "Little Dunmore",
            "Stowmarsh"]
SIM_TOWN_SUFFIX = ["Builder", "Council", "Township", "Planner", "Mayor"]
SIM_NATURE = ["Beehive Keeper", "Hedgerow", "Termite Mound", "Pond Life", "Kelp Farm", "Terrarium",
              "Rockpool", "Bonsai Garden", "Wolf Pack", "Coral Reef", "Bird Table", "Mushroom Cellar",
              "Glacier Watch", "Rainforest Canopy", "Otter Creek", "Heron Marsh", "Goat Island", "Sheepdog Trials",
              "Pigeon Loft", "Allotment", "Badger Sett", "Penguin Rookery", "Dinosaur Valley", "Tide Pool",
             "Frog Pond", "Wildflower Meadow", "Seal Colony", "Owl Barn", "Moth Garden", "Salmon Run"]
SIM_SPACE = ["Tether Nine", "Shuttle Command", "Moon Hopper", "Dry Dock Orbit", "Deep Probe", "Mars Base",
             "Comet Chaser", "Orbital Tether", "Moonbase Nine", "Launch Window", "Gantry Crew",
             "Asteroid Miner", "Solar Sail", "Re-Entry", "Booster Stage", "Ground Station", "Skylab Seven",
             "Red Planet Rover", "Cosmonaut", "Capsule Splashdown", "Satellite Repair", "Ice Moon Outpost"]
SIM_RAIL = ["Signal Box", "Junction Master", "Branch Line", "Night Mail", "Goods Yard", "Mountain Railway",
            "Timetable", "Points and Levers", "Last Stopping Train", "Metro Line", "Sleeper Service", "Freight Corridor",
            "Marshalling Yard", "Narrow Gauge", "Level Crossing", "Coal Train", "Platform Nine", "Tramway",
            "Boat Train", "Funicular", "Viaduct", "Roundhouse"]


def sim_title(rng, year):
    kinds = ["aircraft", "vehicle", "business", "town", "nature", "space", "rail"]
    weights = [22, 20, 18 if year >= 1984 else 6, 12 if year >= 1987 else 2, 8 if year >= 1988 else 2, 10, 10]
    kind = rng.weighted(kinds, weights)
    if kind == "aircraft":
        a = rng.pick(SIM_AIRCRAFT)
        code = "%s%s-%d" % (rng.pick("AFKSX"), rng.pick("ABFRTX"), 2 + rng.below(38))
        style = rng.below(3)
        if style == 0:
            return "%s %s" % (a, code), [a]
        if style == 1:
            return "%s Flight" % a if rng.chance(0.5) else "%s Strike Pilot" % a, [a]
        return "%s %s" % (a, rng.pick(["Squadron Leader", "Night Flight", "Air Combat", "Sortie"])), [a]
    if kind == "vehicle":
        v = rng.pick(sorted(SIM_VEHICLE))
        r = rng.pick(SIM_VEHICLE[v])
        return "%s %s" % (v, r), [v, r]
    if kind == "business":
        b, t = rng.pick(SIM_BUSINESS), rng.pick(SIM_BOSS)
        return "%s %s" % (b, t), [b, t]
    if kind == "town":
        t, s = rng.pick(SIM_TOWN), rng.pick(SIM_TOWN_SUFFIX)
        if s == "Mayor":
            return "Mayor of %s" % t, [t, s]
        return "%s %s" % (t, s), [t, s]
    if kind == "nature":
        n = rng.pick(SIM_NATURE)
        return n, [n]
    if kind == "space":
        s = rng.pick(SIM_SPACE)
        return s, [s]
    r = rng.pick(SIM_RAIL)
    return r, [r]


TITLE_MAKERS = {AC: action_title, AD: adventure_title, ST: strategy_title, RA: racing_title, SP: sport_title,
                RP: rpg_title, SI: sim_title}

# Words that frame a template rather than flavour it; they may repeat freely.
FRAME_WORDS = {"Rally", "Grand Prix", "Of", "The", "Saga"} | {s[0] for s in SPORTS} | SIM_ROLES
# Words that shape a title more than they flavour it: they may come back a few more times.
SOFT_WORDS = (set(ACTION_SQUAD) | set(ACTION_LATE_NOUN) | set(ADV_BUILDING) | set(ADV_LEADS) | set(EARLY_ADV)
              | set(SCIFI_SUFFIX) | set(STR_OF) | set(STR_PLACE_SUFFIX) | set(STR_TERRAIN_SUFFIX)
              | set(STR_LEADS) | set(RACE_SUFFIX) | set(RACE_VEHICLE_SUFFIX) | set(RPG_OF) | set(RPG_QUEST)
              | set(RPG_PLACE_SUFFIX) | set(RPG_LEADS) | set(SIM_BOSS) | set(SIM_TOWN_SUFFIX) | set(CLUB_NAMES)
              | set(SPORT_QUIRK))
# Names that would look silly twice over: one original each, sequels carry them on.
ONCE_WORDS = set(MASCOT_NAME) | set(MASCOT_TRIP) | set(SIM_VEHICLE) | set(SIM_BUSINESS) | set(HEROES) | set(HERO_SAVES) | set(COINED) | set(CODENAMES) | set(SIM_NATURE) | set(SIM_SPACE) | set(SIM_RAIL)

# ---------------------------------------------------------------------------
# Sequels.

SUBTITLES = {
    AC: ["Overdrive", "Aftershock", "Meltdown", "Resurgence", "Second Wave", "Backfire", "Payback", "Relentless",
         "Countdown", "Firestorm", "Recoil", "Breakpoint", "Hard Reset", "Undertow", "No Mercy", "Last Stand"],
    AD: ["The Lost Heir", "The Final Door", "The Other Side", "Beyond the Veil", "Dark Water", "The Long Night",
         "Last Light", "Low Tide", "The Empty Chair", "Ashes"],
    ST: ["Rising Tide", "New Frontiers", "The Iron Age", "Second Front", "Age of Steam", "Civil Strife",
         "Uprising", "Succession", "Broken Crowns", "Total Siege"],
    RA: ["World Tour", "Turbo", "Evolution", "Unleashed", "Night Edition", "Championship", "Street Heat"],
    SP: ["Gold", "Deluxe", "World Edition", "All Stars", "Season Two"],
    RP: ["The Ashen Road", "Heirs of Ruin", "The Broken Oath", "Winter's Call", "The Sunken Keep",
         "Twilight Pilgrim", "The Last Ember", "Blood Moon", "The Silent Choir"],
    SI: ["Gold", "Deluxe", "Professional", "World Edition", "Expansion Set"],
}
# How a new franchise numbers its follow-ups.
SEQUEL_STYLES = {
    AC: (["roman", "arabic", "subtitle", "returns"], [32, 32, 22, 14]),
    AD: (["roman", "arabic", "subtitle", "returnto"], [30, 15, 35, 20]),
    ST: (["roman", "arabic", "subtitle"], [40, 25, 35]),
    RA: (["arabic", "subtitle", "yearly", "roman"], [40, 25, 20, 15]),
    SP: (["yearly", "arabic", "subtitle"], [75, 15, 10]),
    RP: (["roman", "subtitle"], [50, 50]),
    SI: (["arabic", "subtitle", "yearly", "roman"], [35, 30, 15, 20]),
}
CONSOLES_8_16 = {"NES", "Genesis", "Game Boy"}


# "Return to ..." only reads right when the title names a place.
RETURN_PLACES = set(ADV_BUILDING) | set(SCIFI_SUFFIX) | {"Planet", "Moon", "Harbour", "Orbit"}


def year_tag(year):
    return "2000" if year == 2000 else ("2001" if year == 2001 else "%02d" % (year % 100))


def sequel_name(rng, franchise, number, year, platforms):
    """The name of entry `number` (2, 3, ...) of a franchise, or None when nothing fits."""
    base, genre, style = franchise["base"], franchise["genre"], franchise["style"]
    candidates = []
    plain = not base.startswith(("The ", "Operation ")) and " of " not in base and "'s " not in base
    if number == 2 and 1988 <= year <= 1995 and genre in (AC, RA, SP) and CONSOLES_8_16 & set(platforms) \
            and plain and rng.chance(0.25):
        candidates.append("Super " + base)
    if style == "roman":
        candidates.append("%s %s" % (base, ROMAN[number]))
    elif style == "arabic":
        candidates.append("%s %d" % (base, number))
    elif style == "yearly" and (genre != SI or year >= 1990) and not any(ch.isdigit() for ch in base):
        candidates.append("%s %s" % (base, year_tag(year)))
    elif style == "subtitle":
        sub = rng.pick(SUBTITLES[genre])
        if genre in (SP, SI, RA) and len(sub.split()) <= 2:
            candidates.append("%s %s" % (base, sub))
        candidates.append("%s: %s" % (base, sub))
        candidates.append("%s %s: %s" % (base, ROMAN[number], sub))
    elif style == "returns" and number == 2 and plain:
        candidates.append("%s Returns" % base)
    elif style == "returnto" and number == 2 and base.split()[-1] in RETURN_PLACES:
        candidates.append("Return to %s" % base if not base.startswith("The ") else "Return to " + base[4:])
    # whatever the style, later entries fall back to numerals
    candidates.append("%s %s" % (base, ROMAN[number]))
    candidates.append("%s %d" % (base, number))
    for c in candidates:
        if len(c) <= MAX_TITLE:
            return c
    return None


# ---------------------------------------------------------------------------
# The database itself.


TWICE_WORDS = set(SIM_TOWN) | set(SIM_AIRCRAFT) | set(ATHLETES) | set(SLEUTHS) | set(SLEUTH_CASE)


def word_limit(word, limit):
    if word in ONCE_WORDS:
        return 1
    if word in TWICE_WORDS:
        return 2
    return limit + 2 if word in SOFT_WORDS else limit


class Database:
    def __init__(self, rng):
        self.rng = rng
        self.titles = []  # dicts: title, year, developer, platforms, genre, acclaim, franchise
        self.upper_titles = {}  # upper-cased title -> franchise id
        self.franchises = []
        self.flavour_use = {g: {} for g in GENRE_KEYS}
        self.escalations = {}  # genres whose word banks ran thin

    # A title may not contain, or sit inside, a title of another franchise: the
    # bonus lists match by substring, and must not hand out bonuses by accident.
    def clashes(self, title, franchise_id):
        upper = title.upper()
        for other, other_franchise in self.upper_titles.items():
            if other_franchise == franchise_id and franchise_id is not None:
                if other == upper:
                    return True
                continue
            if upper in other or other in upper:
                return True
        return False

    def studio_for(self, genre, year, preferred=None):
        rng = self.rng
        if preferred is not None:
            s = STUDIO_BY_NAME[preferred]
            if s[2] <= year <= s[3] and rng.chance(0.85):
                return preferred
        fitting = [s for s in STUDIOS if genre in s[1] and s[2] <= year <= s[3]]
        if not fitting or rng.chance(0.03):
            fitting = [s for s in STUDIOS if s[2] <= year <= s[3]]
        return rng.weighted([s[0] for s in fitting], [s[4] * (2 if s[1][0] == genre else 1) for s in fitting])

    def choose_platforms(self, genre, year, inherited=()):
        rng = self.rng
        affinity = GENRES[GENRE_KEYS.index(genre)][3]
        weights = {}
        for p in PLATFORMS:
            w = platform_weight(p, year) * affinity[p[4]]
            if p[1] == "Game Boy" and genre in (ST, SI, AD):
                w *= 0.3
            if w > 0:
                weights[p[1]] = w
        count = rng.weighted([1, 2, 3, 4], [42, 30, 18, 10] if year >= 1983 else [60, 30, 10, 0])
        chosen = []
        for name in inherited:
            if name in weights and rng.chance(0.8):
                chosen.append(name)
        while len(chosen) < count:
            pool = [n for n in weights if n not in chosen and self.platform_allowed(n, chosen)]
            if not pool:
                break
            chosen.append(rng.weighted(pool, [weights[n] for n in pool]))
        if not chosen:
            pool = [n for n in weights]
            chosen.append(rng.weighted(pool, [weights[n] for n in pool]))
        return chosen[:4]

    @staticmethod
    def platform_allowed(name, chosen):
        # The game ports Commodore titles to the Spectrum and Amstrad on its own; naming them as well
        # would make it announce a port twice and keep the line for another go.
        if name in COMMODORE_EXTRAS and COMMODORE in chosen:
            return False
        if name == COMMODORE and any(c in COMMODORE_EXTRAS for c in chosen):
            return False
        return True

    def add(self, genre, year, title, developer, platforms, acclaim, franchise_id):
        assert len(title) <= MAX_TITLE and len(developer) <= MAX_DEVELOPER
        self.upper_titles[title.upper()] = franchise_id
        entry = dict(title=title, year=year, developer=developer, platforms=platforms, genre=genre,
                     acclaim=acclaim, franchise=franchise_id, tiebreak=self.rng.below(1 << 30))
        self.titles.append(entry)
        return entry

    def new_original(self, genre, year):
        rng = self.rng
        use = self.flavour_use[genre]
        limit = 3
        for attempt in range(4000):
            if attempt and attempt % 800 == 0:
                limit += 1
                self.escalations[genre] = max(self.escalations.get(genre, 0), limit)
            title, words = TITLE_MAKERS[genre](rng, year)
            if len(title) > MAX_TITLE - 4:  # leave room for a sequel number
                continue
            if any(use.get(w, 0) >= word_limit(w, limit) for w in words if w not in FRAME_WORDS):
                continue
            franchise_id = len(self.franchises)
            if self.clashes(title, franchise_id):
                continue
            for w in words:
                use[w] = use.get(w, 0) + 1
            developer = self.studio_for(genre, year)
            platforms = self.choose_platforms(genre, year)
            prestige = STUDIO_BY_NAME[developer][4]
            acclaim = prestige * 4 + rng.below(61)
            styles, weights = SEQUEL_STYLES[genre]
            self.franchises.append(dict(base=title, genre=genre, style=rng.weighted(styles, weights),
                                        entries=[], acclaim=acclaim, developer=developer))
            entry = self.add(genre, year, title, developer, platforms, acclaim, franchise_id)
            self.franchises[franchise_id]["entries"].append(entry)
            return entry
        raise RuntimeError("no fresh %s title left for %d: widen the word banks" % (genre, year))

    def sequel(self, genre, year):
        rng = self.rng
        max_gap = 2 if genre == SP else 5
        open_ones = []
        for fid, f in enumerate(self.franchises):
            if f["genre"] != genre or len(f["entries"]) >= (8 if f["style"] == "yearly" else 4):
                continue
            last = f["entries"][-1]["year"]
            if 1 <= year - last <= max_gap:
                open_ones.append(fid)
        if not open_ones:
            return None
        fid = rng.weighted(open_ones, [self.franchises[i]["acclaim"] ** 2 for i in open_ones])
        f = self.franchises[fid]
        number = len(f["entries"]) + 1
        developer = self.studio_for(genre, year, preferred=f["developer"])
        platforms = self.choose_platforms(genre, year, inherited=f["entries"][-1]["platforms"])
        title = sequel_name(rng, f, number, year, platforms)
        if title is None or self.clashes(title, fid):
            return None
        prev = f["entries"][-1]["acclaim"]
        acclaim = max(0, min(100, prev - 15 + rng.below(25)))  # sequels tire a little
        entry = self.add(genre, year, title, developer, platforms, acclaim, fid)
        f["entries"].append(entry)
        f["acclaim"] = max(f["acclaim"], acclaim)
        return entry

    def build(self):
        rng = self.rng
        for year in range(FIRST_YEAR, LAST_YEAR + 1):
            for genre, _, factor, _ in GENRES:
                count = max(1, int(YEAR_WEIGHTS[year] * factor + 0.5))
                p_sequel = 0.0 if year < 1982 else (0.18 if year < 1987 else (0.3 if year < 1995 else 0.36))
                if genre == SP and year >= 1986:
                    p_sequel += 0.15
                for _ in range(count):
                    entry = None
                    if rng.chance(p_sequel):
                        entry = self.sequel(genre, year)
                    if entry is None:
                        self.new_original(genre, year)

    def genre_lines(self, genre):
        """The list in file order: oldest first, shuffled within a year."""
        by_year = {}
        for t in self.titles:
            if t["genre"] == genre:
                by_year.setdefault(t["year"], []).append(t)
        ordered = []
        for year in sorted(by_year):
            group = by_year[year]
            self.rng.shuffle(group)
            ordered.extend(group)
        return ordered


STUDIO_BY_NAME = {s[0]: s for s in STUDIOS}

# ---------------------------------------------------------------------------
# Manager candidates: "name", tab, rating; 0 asks the game for a random rating.
# The first lead programmer is the one a new studio starts with, so he is modest;
# the first project leader and lead designer are starters whatever they say here.

LEAD_PROGRAMMERS = [
    ("Wendell Brackley", 30), ("Orla Vantreight", 0), ("Tobias Quarrie", 42), ("Dagny Pellworth", 55),
    ("Kasimir Eskeland", 0), ("Priya Hadderley", 64), ("Bram Thistlewood", 38), ("Solveig Marchbank", 71),
    ("Cormac Nettleford", 0), ("Leontine Farrowby", 47), ("Rafferty Oakhurst", 33), ("Mireille Stallbrass", 82),
    ("Teodor Inchcombe", 0), ("Hollis Kettleby", 58), ("Ines Tolliver", 66), ("Lucan Aldwinckle", 0),
    ("Maren Fothergill", 90), ("Otto Scattergood", 45), ("Petra Ormerod", 0), ("Quincy Latchford", 77),
    ("Stellan Birkett", 36), ("Thea Mottram", 0), ("Ulrich Pargeter", 86), ("Verity Threlfall", 52),
    ("Wystan Elphick", 0), ("Yusuf Dewhirst", 69), ("Zora Kilbride", 95), ("Ambrose Ibbotson", 40),
    ("Berit Nyberg", 0), ("Emrys Whitlock", 61), ("Fenna Uttley", 74), ("Gideon Scarbrook", 99),
]
PROJECT_LEADERS = [
    ("Ivo Crowther", 25), ("Jolene Ashdowne", 0), ("Linnea Holmgard", 48), ("Magnus Quennell", 57),
    ("Nell Varley", 0), ("Osric Lindqvist", 35), ("Pilar Yelland", 68), ("Ronan Cottingham", 0),
    ("Sabine Fairbrass", 79), ("Tamsin Halloran", 44), ("Vaughn Ingleby", 0), ("Wilma Joliffe", 62),
    ("Xander Bellringer", 88), ("Yvette Grimsditch", 39), ("Zeke Entwhistle", 0), ("Aurelio Mossop", 73),
    ("Crispin Pendleby", 51), ("Dorit Kaltenbrunn", 0), ("Eamon Ruthwell", 93), ("Farah Castellow", 58),
]
LEAD_DESIGNERS = [
    ("Gunnar Threapwood", 25), ("Hester Vollrath", 0), ("Ignatz Pemberly", 46), ("Juno Cravenhurst", 0),
    ("Konrad Sallowby", 63), ("Birdie Marchetti", 37), ("Delphine Ostergaard", 72), ("Lorcan Fitzwarren", 0),
    ("Annika Brightmore", 84), ("Casimir Hollendale", 55), ("Philippa Drummock", 0), ("Sindre Halvorsen", 91),
    ("Marisol Kettlewell", 67), ("Benedikt Amberley", 98),
]

# ---------------------------------------------------------------------------
# Bonus lists. The game's reference lengths are 25 / 1820 / 254 / 75 / 356 for a
# far bigger database; 1820 top genre titles would be most of ours. All five are
# scaled by one factor chosen so that the top-genre list names 30 % of our titles,
# which keeps the lists in their original proportion to each other.

REFERENCE_LENGTHS = {"top": 25, "genre": 1820, "platform": 254, "year": 75, "best": 356}
TOP_GENRE_SHARE = 0.30


def bonus_lists(db):
    total = len(db.titles)
    scale = TOP_GENRE_SHARE * total / REFERENCE_LENGTHS["genre"]
    want = {k: max(1, int(v * scale + 0.5)) for k, v in REFERENCE_LENGTHS.items()}

    def rank(t):  # best first; ties broken by a fixed draw so no letter of the alphabet is favoured
        return (-t["acclaim"], t["tiebreak"])

    ranked = sorted(db.titles, key=rank)
    bands = [(1980, 1986), (1987, 1993), (1994, 2001)]

    def band(t):
        return next(i for i, (a, b) in enumerate(bands) if a <= t["year"] <= b)

    # Top games: the very best, one per series, spread over the genres and the years.
    top, per_genre, per_band, series = [], {}, {}, set()
    for t in ranked:
        if per_genre.get(t["genre"], 0) < 2 and per_band.get(band(t), 0) < (want["top"] + 2) // 3 \
                and t["franchise"] not in series:
            top.append(t)
            series.add(t["franchise"])
            per_genre[t["genre"]] = per_genre.get(t["genre"], 0) + 1
            per_band[band(t)] = per_band.get(band(t), 0) + 1
        if len(top) == want["top"]:
            break

    # Top genre titles: each genre's best, in proportion to the genre's size.
    genre_list = []
    for g in GENRE_KEYS:
        members = [t for t in ranked if t["genre"] == g]
        n = int(want["genre"] * len(members) / total + 0.5)
        genre_list.extend(members[:n])

    # Top platform titles: each platform's best, in proportion to how many titles it has.
    platform_list, seen = [], set()
    on_platform = {p[1]: [t for t in ranked if p[1] in t["platforms"]] for p in PLATFORMS}
    listings = sum(len(v) for v in on_platform.values())
    for p in PLATFORMS:
        members = on_platform[p[1]]
        n = max(1, int(want["platform"] * len(members) / listings + 0.5))
        taken, series = 0, set()
        for t in members:
            if taken == n:
                break
            if t["title"] not in seen and t["franchise"] not in series:
                seen.add(t["title"])
                series.add(t["franchise"])
                platform_list.append(t)
                taken += 1

    # Top titles of their year: the best of each year, busier years get more.
    year_list, wins = [], {}
    years = range(FIRST_YEAR, LAST_YEAR + 1)
    by_year = {y: [t for t in ranked if t["year"] == y] for y in years}
    for y in years:
        n = max(1, int(want["year"] * len(by_year[y]) / total + 0.5))
        # a series may win its year twice at most
        picks = [t for t in by_year[y] if wins.get(t["franchise"], 0) < 2][:n]
        for t in picks:
            wins[t["franchise"]] = wins.get(t["franchise"], 0) + 1
        year_list.extend(picks)

    # Best games: simply the best of everything.
    best = ranked[:want["best"]]

    return dict(top=top, genre=genre_list, platform=platform_list, year=year_list, best=best), scale


# ---------------------------------------------------------------------------
# Output.


# With --check nothing is written: every file is compared with what the tool would write.
CHECK_ONLY = "--check" in sys.argv[1:]
STALE = []


def write_bytes(path, data):
    if CHECK_ONLY:
        try:
            with open(path, "rb") as f:
                same = f.read() == data
        except OSError:
            same = False
        if not same:
            STALE.append(os.path.relpath(path, ROOT))
        return
    with open(path, "wb") as f:
        f.write(data)


def write_text(path, lines):
    write_bytes(path, "".join(line + "\r\n" for line in lines).encode("ascii"))


def title_line(t):
    fields = [t["title"], str(t["year"]), t["developer"], ",".join(t["platforms"])]
    for field in fields:
        assert "\t" not in field and ";" not in field and field.strip() == field
    return "\t".join(fields)


def cpp_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t") + '"'


GENERATED_NOTE = ("// Generated by tools/make_database.py - do not edit by hand.\n"
                  "// Change the tool and run `python3 tools/make_database.py` from the repository root.\n")

EMBEDDED = [
    ("LeadProgrammerLines", "Lead programmer candidates, one \"name<TAB>rating\" line each; rating 0 is drawn at "
     "game start."),
    ("ProjectLeaderLines", "Project leader candidates, same format."),
    ("LeadDesignerLines", "Lead designer candidates, same format."),
    ("TopGameLines", "Bonus lists, one \"title<TAB>\" line each; a title earns the bonus when it occurs\n"
     "// anywhere in the list's text. The all-time top games."),
    ("TopGenreTitleLines", "The best titles of each genre."),
    ("TopPlatformTitleLines", "The best titles of each platform."),
    ("TopYearTitleLines", "The best titles of their year."),
    ("BestGameLines", "The best games overall."),
]


def write_cpp(manager_lines, bonus):
    h = [GENERATED_NOTE, "#pragma once\n", "// Lists that ship inside the program rather than in the game database.\n",
         "#include <string>\n#include <vector>\n"]
    for name, comment in EMBEDDED:
        h.append("\n// %s\nextern const std::vector<std::string> %s;\n" % (comment, name))
    # One entry a line keeps regenerated lists easy to compare, so the formatter is kept out.
    c = [GENERATED_NOTE, '#include "start/EmbeddedLists.h"\n\n// clang-format off\n']
    contents = dict(manager_lines)
    contents.update(bonus)
    for name, _ in EMBEDDED:
        c.append("\nconst std::vector<std::string> %s = {\n" % name)
        for line in contents[name]:
            c.append("    %s,\n" % cpp_string(line))
        c.append("};\n")
    c.append("\n// clang-format on\n")
    write_bytes(HEADER_PATH, "".join(h).encode("utf-8"))
    write_bytes(SOURCE_PATH, "".join(c).encode("utf-8"))


def main():
    rng = Rng(SEED)
    db = Database(rng)
    db.build()

    # Names must resolve to the platform they name under the game's rule.
    for p in PLATFORMS:
        assert resolve(p[1]) == p[0], p
    for s in STUDIOS:
        assert len(s[0]) <= MAX_DEVELOPER, s

    os.makedirs(DATABASE_DIR, exist_ok=True)
    write_text(os.path.join(DATABASE_DIR, "datadiff.txt"), ["YEAR=%d" % END_YEAR, "WEEK=%d" % END_WEEK])
    summary = []
    for genre, file_name, _, _ in GENRES:
        lines = db.genre_lines(genre)
        early = sum(1 for t in lines[:SEED_LINES] if t["year"] < START_YEAR)
        assert early > 0 and len(lines) >= SEED_LINES
        write_text(os.path.join(DATABASE_DIR, file_name), [title_line(t) for t in lines])
        summary.append((genre, file_name, lines, early))

    managers = {
        "LeadProgrammerLines": ["%s\t%d" % p for p in LEAD_PROGRAMMERS],
        "ProjectLeaderLines": ["%s\t%d" % p for p in PROJECT_LEADERS],
        "LeadDesignerLines": ["%s\t%d" % p for p in LEAD_DESIGNERS],
    }
    lists, scale = bonus_lists(db)
    bonus = {
        "TopGameLines": [t["title"] + "\t" for t in lists["top"]],
        "TopGenreTitleLines": [t["title"] + "\t" for t in lists["genre"]],
        "TopPlatformTitleLines": [t["title"] + "\t" for t in lists["platform"]],
        "TopYearTitleLines": [t["title"] + "\t" for t in lists["year"]],
        "BestGameLines": [t["title"] + "\t" for t in lists["best"]],
    }
    write_cpp(managers, bonus)
    if CHECK_ONLY:
        if STALE:
            sys.stderr.write("Out of date with tools/make_database.py: %s\n"
                             "Run `python3 tools/make_database.py` and commit the result.\n" % ", ".join(STALE))
            sys.exit(1)
        print("The game database and the built-in lists match their generator.")
        return

    # A short report of what was written.
    bands = [(1980, 1983), (1984, 1989), (1990, 1994), (1995, 2001)]
    out = sys.stdout
    out.write("%-10s %6s %6s  %s\n" % ("genre", "titles", "seeds", "  ".join("%d-%d" % b for b in bands)))
    for genre, file_name, lines, early in summary:
        counts = [sum(1 for t in lines if a <= t["year"] <= b) for a, b in bands]
        out.write("%-10s %6d %6d  %s\n" % (genre, len(lines), early, "  ".join("%9d" % c for c in counts)))
    out.write("total titles %d, franchises with sequels %d, studios %d\n" % (
        len(db.titles), sum(1 for f in db.franchises if len(f["entries"]) > 1), len(STUDIOS)))
    out.write("bonus lists scaled by %.3f: %s\n" % (scale, ", ".join(
        "%s %d" % (k, len(v)) for k, v in lists.items())))
    listed = {k: "\n".join(t["title"].upper() + "\t" for t in v) for k, v in lists.items()}
    extra = {k: sum(1 for t in db.titles if t["title"].upper() in text and t not in lists[k])
             for k, text in listed.items()}
    out.write("word banks stretched: %s\n" % (db.escalations or "none"))
    out.write("titles that also match a list by substring (franchise relatives): %s\n" % (
        ", ".join("%s %d" % kv for kv in extra.items())))


if __name__ == "__main__":
    main()
