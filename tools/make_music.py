#!/usr/bin/env python3
"""Composes the game's background music and its six sound effects.

Run from the repository root:  python3 tools/make_music.py [--check]

Writes, always the same for the same seeds:
  data/music/<Style>/*.mid   three or more songs per style, standard MIDI files (General MIDI)
  data/music/FP.mp3          the intro, played from 18.5 s while the start screen is up
  data/sounds/*.wav          link, endofweek, options, close, widen, narrow

The songs are composed here from scratch by a small rule-based composer (chord progressions,
motifs, bass lines, drum patterns per style) and need nothing beyond Python's standard library.
The intro is composed the same way, then rendered by fluidsynth with the FluidR3 General MIDI
soundfont and encoded by lame (Debian packages fluidsynth, fluid-soundfont-gm, lame); without
them the intro is left as it is. --check renders every song with fluidsynth and prints its
length and levels with sox (package sox).
"""

import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
MUSIC_DIR = os.path.join(ROOT, "data", "music")
SOUNDS_DIR = os.path.join(ROOT, "data", "sounds")
SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2"
RUNTIME_SOUNDFONT = "/usr/share/sounds/sf2/TimGM6mb.sf2"  # what the game plays with first
PPQ = 480
MIN_SECONDS = 65  # every song lasts at least this long


# ---------------------------------------------------------------------------
# A small random generator of our own, so the music never depends on the Python version.


class Rng:
    MASK = (1 << 64) - 1

    def __init__(self, seed):
        self.state = seed & self.MASK

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & self.MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & self.MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & self.MASK
        return z ^ (z >> 31)

    def below(self, n):
        return self.next() % n if n > 0 else 0

    def chance(self, percent):
        return self.below(100) < percent

    def pick(self, items):
        return items[self.below(len(items))]

    def uniform(self, lo, hi):
        return lo + (hi - lo) * (self.next() / float(self.MASK))


# ---------------------------------------------------------------------------
# Standard MIDI files.


def var_len(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Track:
    def __init__(self, name, channel, program=0, volume=100, pan=64, reverb=40, chorus=0):
        self.name = name
        self.channel = channel
        self.program = program
        self.volume = volume
        self.pan = pan
        self.reverb = reverb
        self.chorus = chorus
        self.notes = []  # (start beat, length in beats, pitch, velocity)
        self.controls = []  # (beat, controller, value)

    def note(self, start, length, pitch, velocity=90):
        if length <= 0:
            return
        pitch = max(0, min(127, int(pitch)))
        velocity = max(1, min(127, int(velocity)))
        self.notes.append((start, length, pitch, velocity))

    def chord(self, start, length, pitches, velocity=80):
        for p in pitches:
            self.note(start, length, p, velocity)

    def control(self, beat, controller, value):
        self.controls.append((beat, controller, value))

    def events(self, level=1.0):
        ch = self.channel
        ev = [(0, 0, bytes([0xFF, 0x03]) + var_len(len(self.name)) + self.name.encode("ascii"))]
        if ch != 9:
            ev.append((0, 1, bytes([0xC0 | ch, self.program])))
        ev.append((0, 1, bytes([0xB0 | ch, 7, max(1, min(127, int(round(self.volume * level))))])))
        ev.append((0, 1, bytes([0xB0 | ch, 10, self.pan])))
        ev.append((0, 1, bytes([0xB0 | ch, 91, self.reverb])))
        ev.append((0, 1, bytes([0xB0 | ch, 93, self.chorus])))
        for beat, controller, value in self.controls:
            ev.append((ticks(beat), 1, bytes([0xB0 | ch, controller, value])))
        for start, length, pitch, velocity in self.notes:
            on = ticks(start)
            off = max(on + 1, ticks(start + length) - 1)
            ev.append((on, 3, bytes([0x90 | ch, pitch, velocity])))
            ev.append((off, 2, bytes([0x80 | ch, pitch, 64])))
        ev.sort(key=lambda e: (e[0], e[1], e[2]))
        return ev


def ticks(beat):
    return int(round(beat * PPQ))


class Song:
    def __init__(self, title, tempo, beats_per_bar=4):
        self.title = title
        self.tempo = tempo
        self.beats_per_bar = beats_per_bar
        self.tracks = []
        self.tempo_changes = []  # (beat, bpm)
        # Scales every track's volume controller, so that the styles stand level with one
        # another in both soundfonts (their instruments' loudness differs from font to font).
        self.level = 1.0

    def track(self, *args, **kwargs):
        t = Track(*args, **kwargs)
        self.tracks.append(t)
        return t

    def end_beat(self):
        return max(s + l for t in self.tracks for (s, l, _, _) in t.notes)

    def seconds(self):
        end = self.end_beat() + self.beats_per_bar
        changes = sorted([(0.0, self.tempo)] + self.tempo_changes)
        total = 0.0
        for i, (beat, bpm) in enumerate(changes):
            stop = changes[i + 1][0] if i + 1 < len(changes) else end
            if stop > beat:
                total += (min(stop, end) - beat) * 60.0 / bpm
        return total

    def write(self, path):
        end = ticks(self.end_beat() + self.beats_per_bar)
        conductor = [(0, 0, bytes([0xFF, 0x03]) + var_len(len(self.title)) + self.title.encode("ascii"))]
        # The time signature: beats per bar over quarter notes (2 is the power of two of 4).
        conductor.append((0, 0, bytes([0xFF, 0x58, 4, self.beats_per_bar, 2, 24, 8])))
        for beat, bpm in [(0.0, self.tempo)] + self.tempo_changes:
            micro = int(round(60000000 / bpm))
            conductor.append((ticks(beat), 0, bytes([0xFF, 0x51, 3]) + micro.to_bytes(3, "big")))
        chunks = [conductor] + [t.events(self.level) for t in self.tracks]
        data = b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), PPQ)
        for events in chunks:
            body = b""
            now = 0
            for tick, _, payload in sorted(events, key=lambda e: (e[0], e[1], e[2])):
                body += var_len(tick - now) + payload
                now = tick
            body += var_len(max(0, end - now)) + bytes([0xFF, 0x2F, 0x00])
            data += b"MTrk" + struct.pack(">I", len(body)) + body
        with open(path, "wb") as f:
            f.write(data)


# ---------------------------------------------------------------------------
# Harmony.

MAJOR = [0, 2, 4, 5, 7, 9, 11]
MINOR = [0, 2, 3, 5, 7, 8, 10]
DORIAN = [0, 2, 3, 5, 7, 9, 10]
MIXOLYDIAN = [0, 2, 4, 5, 7, 9, 10]
HARMONIC_MINOR = [0, 2, 3, 5, 7, 8, 11]


class Key:
    def __init__(self, tonic, mode):
        self.tonic = tonic  # a MIDI pitch in the octave around middle C
        self.mode = mode

    def degree(self, d):
        """The pitch of scale degree d (0 = tonic; may be negative or beyond 6)."""
        octave, step = divmod(d, 7)
        return self.tonic + 12 * octave + self.mode[step]

    def pitch_classes(self):
        return [(self.tonic + s) % 12 for s in self.mode]

    def chord(self, d, size=3):
        """The diatonic chord on scale degree d: root, third, fifth (and seventh, ninth)."""
        return Chord([self.degree(d + 2 * i) for i in range(size)])


class Chord:
    def __init__(self, pitches):
        self.pitches = pitches  # root position, root first

    @property
    def root(self):
        return self.pitches[0]

    def classes(self):
        return [p % 12 for p in self.pitches]

    def tones_in(self, lo, hi):
        classes = self.classes()
        return [p for p in range(lo, hi + 1) if p % 12 in classes]

    def voicing(self, around, count=None):
        """Chord tones stacked closely from the tone nearest 'around'."""
        count = count or len(self.pitches)
        tones = self.tones_in(around - 12, around + 24)
        start = min(tones, key=lambda p: abs(p - around))
        i = tones.index(start)
        return tones[i:i + count]


def explicit(root, intervals):
    return Chord([root + i for i in intervals])


MAJ7 = [0, 4, 7, 11]
MIN7 = [0, 3, 7, 10]
DOM7 = [0, 4, 7, 10]
HALFDIM = [0, 3, 6, 10]
DIM7 = [0, 3, 6, 9]


def nearest(candidates, target):
    return min(candidates, key=lambda p: (abs(p - target), p))


# ---------------------------------------------------------------------------
# Melody: a motif of rhythm and contour, realised over the chords so that strong beats land
# on chord tones and the notes between move by step through the scale.

RHYTHM_CELLS = {
    "even": [[1, 1], [0.5, 0.5, 1], [1, 0.5, 0.5], [2], [1.5, 0.5], [0.5, 0.5, 0.5, 0.5]],
    "busy": [[0.5, 0.5, 0.5, 0.5], [0.25, 0.25, 0.5, 1], [0.5, 0.25, 0.25, 1], [1, 0.5, 0.5],
             [0.75, 0.25, 0.5, 0.5], [0.5, 1, 0.5]],
    "calm": [[2], [1, 1], [1.5, 0.5], [3, 1], [4], [2, 1, 1]],
    "swing": [[1, 1], [0.5, 0.5, 1], [1.5, 0.5], [0.5, 0.5, 0.5, 0.5], [2], [1, 0.5, 0.5]],
    "triple": [[1, 1, 1], [2, 1], [1.5, 0.5, 1], [3]],
}


def make_motif(rng, bars, beats_per_bar, cells, rest_chance=15):
    """Rhythm and contour for some bars: a list of (offset, length, step, strong, rest)."""
    motif = []
    for bar in range(bars):
        pos = 0.0
        while pos < beats_per_bar - 1e-9:
            cell = rng.pick(cells)
            if pos + sum(cell) > beats_per_bar + 1e-9:
                cell = [beats_per_bar - pos]
            for length in cell:
                offset = bar * beats_per_bar + pos
                strong = abs(pos - round(pos)) < 1e-9 and (round(pos) % 2 == 0)
                step = rng.pick([-2, -1, -1, 1, 1, 2, 0, 3, -3])
                rest = (not strong) and rng.chance(rest_chance)
                motif.append((offset, length, step, strong, rest))
                pos += length
    return motif


def vary(rng, motif, amount=30):
    """The same rhythm with some steps changed, so a repeat is heard as a repeat."""
    out = []
    for (offset, length, step, strong, rest) in motif:
        if rng.chance(amount):
            step = rng.pick([-2, -1, 1, 2])
        out.append((offset, length, step, strong, rest))
    return out


def realise(track, key, motif, chords_at, start, lo, hi, velocity=95, legato=0.92, end_on_root=False,
            swing=False, accent=12):
    """Plays a motif from 'start'; chords_at(beat) gives the chord sounding at a beat."""
    scale = sorted(p for p in range(lo - 12, hi + 13) if p % 12 in key.pitch_classes())
    prev = nearest(chords_at(start).tones_in(lo, hi) or scale, (lo + hi) // 2)
    for i, (offset, length, step, strong, rest) in enumerate(motif):
        beat = start + offset
        chord = chords_at(beat)
        last = end_on_root and i == len(motif) - 1
        if last:
            pitch = nearest([p for p in range(lo, hi + 1) if p % 12 == chord.root % 12] or [prev], prev)
        elif strong:
            target = prev + step * 2
            pitch = nearest(chord.tones_in(lo, hi) or scale, target)
        else:
            idx = scale.index(nearest(scale, prev))
            idx = max(0, min(len(scale) - 1, idx + step))
            pitch = scale[idx]
        if pitch > hi:
            pitch -= 12
        if pitch < lo:
            pitch += 12
        prev = pitch
        if rest:
            continue
        t = swung(beat) if swing else beat
        end = swung(beat + length) if swing else beat + length
        track.note(t, (end - t) * legato, pitch, velocity + (accent if strong else 0))


def swung(beat):
    """Moves off-beat eighths to the last third of the beat (a 2:1 swing)."""
    whole = math.floor(beat + 1e-9)
    frac = beat - whole
    if abs(frac - 0.5) < 1e-6:
        return whole + 2.0 / 3.0
    if abs(frac - 0.25) < 1e-6:
        return whole + 1.0 / 3.0
    if abs(frac - 0.75) < 1e-6:
        return whole + 5.0 / 6.0
    return beat


class Form:
    """A song's sections laid out bar by bar: each bar has a chord and a section name."""

    def __init__(self, beats_per_bar):
        self.beats_per_bar = beats_per_bar
        self.bars = []  # (section, chord, bar index within section)

    def add(self, section, chords, repeat=1):
        for _ in range(repeat):
            for i, c in enumerate(chords):
                self.bars.append((section, c, i))

    def chord_at(self, beat):
        bar = int(beat // self.beats_per_bar)
        bar = max(0, min(len(self.bars) - 1, bar))
        c = self.bars[bar][1]
        return c[int((beat % self.beats_per_bar) // (self.beats_per_bar / len(c)))] if isinstance(c, list) else c


def bars_for(seconds, tempo, beats_per_bar):
    return int(math.ceil(seconds * tempo / 60.0 / beats_per_bar))


# ---------------------------------------------------------------------------
# Drums (General MIDI channel 10).

KICK, SNARE, RIM, CLAP, CLOSED_HAT, PEDAL_HAT, OPEN_HAT, CRASH, RIDE, RIDE_BELL, TAMB = (
    36, 38, 37, 39, 42, 44, 46, 49, 51, 53, 54)
LOW_TOM, MID_TOM, HIGH_TOM, SHAKER, CLAVES, BRUSH = 45, 47, 50, 70, 75, 40


def drum_bar(track, start, pattern, velocity=90, swing=False, human=None):
    for beat, drum, accent in pattern:
        t = swung(start + beat) if swing else start + beat
        v = velocity + accent
        if human:
            v += human.below(9) - 4
        track.note(t, 0.1, drum, v)


def fill(track, start, beats_per_bar, rng, velocity=95):
    toms = [HIGH_TOM, HIGH_TOM, MID_TOM, MID_TOM, LOW_TOM, LOW_TOM, SNARE, SNARE]
    half = beats_per_bar / 2.0
    n = int(half / 0.25)
    for i in range(n):
        drum = toms[min(len(toms) - 1, i * len(toms) // n)] if rng.chance(70) else SNARE
        track.note(start + half + i * 0.25, 0.1, drum, velocity - 10 + i * 2)


# ---------------------------------------------------------------------------
# The styles. Each composer builds a Song from a seed.


def layout(form, rng, key, intro, verse, chorus, bridge, outro, tempo, bpb, target=None):
    """Adds sections until the song is long enough: intro, verse, chorus, verse, bridge, chorus..."""
    target = target or (MIN_SECONDS + rng.below(30))
    form.add("intro", intro)
    plan = [("verse", verse), ("chorus", chorus), ("verse", verse), ("bridge", bridge),
            ("chorus", chorus), ("chorus", chorus), ("verse", verse), ("chorus", chorus)]
    i = 0
    while len(form.bars) < bars_for(target, tempo, bpb) - len(outro) or i < 4:
        name, chords = plan[i % len(plan)]
        form.add(name, chords)
        i += 1
    form.add("outro", outro)


def section_starts(form):
    starts = []
    for i, (name, _, index) in enumerate(form.bars):
        if index == 0:
            starts.append((name, i))
    return starts


def section_length(form, first):
    name = form.bars[first][0]
    n = 0
    while first + n < len(form.bars) and form.bars[first + n][2] == n and form.bars[first + n][0] == name:
        n += 1
    return n


def melody_over(form, track, key, rng, motifs, lo, hi, velocity=95, legato=0.92, swing=False,
                sections=("verse", "chorus", "bridge")):
    """Each section of the form plays its motif, repeated in two-bar or four-bar units."""
    bpb = form.beats_per_bar
    for name, first in section_starts(form):
        if name not in sections:
            continue
        motif, unit = motifs[name]
        length = section_length(form, first)
        for rep in range(0, length, unit):
            m = motif if rep % (2 * unit) == 0 else vary(rng, motif, 25)
            m = [x for x in m if x[0] < (length - rep) * bpb]
            realise(track, key, m, form.chord_at, (first + rep) * bpb, lo, hi, velocity, legato,
                    end_on_root=(rep + unit >= length), swing=swing)


# --- C64: square lead, fast arpeggios, pulsing bass, minor keys, brisk tempo.

def compose_c64(title, seed):
    rng = Rng(seed)
    tempo = 132 + rng.below(24)
    key = Key(rng.pick([57, 52, 50, 55]), rng.pick([MINOR, HARMONIC_MINOR, DORIAN]))
    song = Song(title, tempo)
    song.level = 0.71
    bpb = 4
    c = key.chord
    verse = rng.pick([[c(0), c(5), c(2), c(6)], [c(0), c(3), c(4), c(0)], [c(0), c(6), c(5), c(4)]])
    chorus = rng.pick([[c(5), c(6), c(0), c(0)], [c(3), c(4), c(0), c(5)], [c(5), c(3), c(6), c(4)]])
    bridge = [c(3), c(3), c(4), c(4)]
    form = Form(bpb)
    layout(form, rng, key, [c(0), c(0)], verse * 2, chorus * 2, bridge, [c(0), c(0)], tempo, bpb)

    lead = song.track("Pulse lead", 0, program=80, volume=92, pan=70, reverb=20)
    arp = song.track("Arpeggio", 1, program=81, volume=70, pan=50, reverb=15)
    bass = song.track("Bass", 2, program=38, volume=105, pan=64, reverb=5)
    drums = song.track("Noise drums", 9, volume=95, reverb=10)
    echo = song.track("Echo", 3, program=80, volume=45, pan=90, reverb=40)

    motifs = {"verse": (make_motif(rng, 2, bpb, RHYTHM_CELLS["busy"]), 2),
              "chorus": (make_motif(rng, 2, bpb, RHYTHM_CELLS["even"]), 2),
              "bridge": (make_motif(rng, 4, bpb, RHYTHM_CELLS["calm"]), 4)}
    melody_over(form, lead, key, rng, motifs, 69, 93, velocity=92, legato=0.8)
    # A quieter copy a sixteenth behind: the classic one-voice echo.
    for (s, l, p, v) in list(lead.notes):
        echo.note(s + 0.25, l, p, v - 35)

    step = 0.125 if tempo < 140 else 0.25
    shape = rng.pick([[0, 1, 2, 3], [0, 1, 2, 1], [0, 2, 1, 3, 2, 1]])
    for bar, (name, chord, _) in enumerate(form.bars):
        start = bar * bpb
        tones = chord.voicing(key.tonic + 12, 4) + [chord.root + 24]
        n = int(bpb / step)
        for i in range(n):
            p = tones[shape[i % len(shape)] % len(tones)]
            arp.note(start + i * step, step * 0.9, p, 72 if i % 4 == 0 else 60)
        root = chord.root - 24 if chord.root - 24 >= 33 else chord.root - 12
        for i in range(8):
            p = root + (12 if i % 2 else 0)
            if name == "bridge" and i % 4 == 3:
                p = root + 7
            bass.note(start + i * 0.5, 0.42, p, 100 if i % 2 == 0 else 85)
        if name == "intro":
            continue
        pattern = [(0, KICK, 10), (1, SNARE, 0), (2, KICK, 5), (2.5, KICK, -10), (3, SNARE, 0)]
        pattern += [(x * 0.5, CLOSED_HAT, -30) for x in range(8)]
        drum_bar(drums, start, pattern, 90, human=rng)
        if bar + 1 < len(form.bars) and form.bars[bar + 1][2] == 0:
            fill(drums, start, bpb, rng)
    return song


# --- PC: FM synth colours, brass stabs, electric piano, steady rock beat.

def compose_pc(title, seed):
    rng = Rng(seed)
    tempo = 112 + rng.below(20)
    key = Key(rng.pick([60, 62, 57, 55]), rng.pick([MAJOR, DORIAN, MIXOLYDIAN]))
    song = Song(title, tempo)
    song.level = 0.74
    bpb = 4
    c = key.chord
    verse = rng.pick([[c(0), c(4), c(5), c(3)], [c(0), c(6), c(3), c(0)], [c(1), c(4), c(0), c(0)]])
    chorus = rng.pick([[c(3), c(4), c(2), c(5)], [c(3), c(0), c(4), c(4)], [c(5), c(3), c(0), c(4)]])
    bridge = [c(5), c(1), c(3), c(4)]
    form = Form(bpb)
    layout(form, rng, key, [c(0), c(3)], verse * 2, chorus * 2, bridge * 2, [c(0), c(0)], tempo, bpb)

    lead = song.track("FM brass", 0, program=rng.pick([62, 63]), volume=90, pan=64, reverb=35)
    keys = song.track("FM piano", 1, program=5, volume=78, pan=44, reverb=30)
    bass = song.track("FM bass", 2, program=39, volume=104, reverb=5)
    bells = song.track("Bells", 3, program=rng.pick([11, 14, 8]), volume=64, pan=88, reverb=50)
    drums = song.track("Drums", 9, volume=92, reverb=15)

    motifs = {"verse": (make_motif(rng, 2, bpb, RHYTHM_CELLS["even"]), 2),
              "chorus": (make_motif(rng, 4, bpb, RHYTHM_CELLS["even"]), 4),
              "bridge": (make_motif(rng, 2, bpb, RHYTHM_CELLS["calm"]), 2)}
    melody_over(form, lead, key, rng, motifs, 64, 86, velocity=88, legato=0.85)
    for name, first in section_starts(form):
        if name == "chorus":
            for bar in range(first, first + section_length(form, first)):
                chord = form.bars[bar][1]
                for k, p in enumerate(chord.voicing(84, 3)):
                    bells.note(bar * bpb + k * 0.5, 1.5, p, 70)

    for bar, (name, chord, _) in enumerate(form.bars):
        start = bar * bpb
        voiced = chord.voicing(key.tonic + 4, 3)
        for beat in (0, 1.5, 2.5) if name != "intro" else (0,):
            keys.chord(start + beat, 0.9 if beat else 1.4, voiced, 74)
        root = chord.root - 24 if chord.root - 24 >= 31 else chord.root - 12
        line = [(0, 0), (0.75, 0), (1.5, 7), (2, 12), (3, 10 if key.mode != MAJOR else 7), (3.5, 7)]
        for beat, interval in line:
            bass.note(start + beat, 0.45, root + interval, 98)
        if name == "intro":
            continue
        pattern = [(0, KICK, 10), (1, SNARE, 5), (1.75, KICK, -10), (2, KICK, 0), (3, SNARE, 5)]
        pattern += [(x * 0.5, CLOSED_HAT, -25 if x % 2 else -15) for x in range(8)]
        drum_bar(drums, start, pattern, 88, human=rng)
        if form.bars[bar][2] == 0:
            drums.note(start, 0.1, CRASH, 90)
    return song


# --- General: orchestral pop, strings, horns, piano, timpani.

def compose_general(title, seed):
    rng = Rng(seed)
    tempo = 88 + rng.below(24)
    key = Key(rng.pick([60, 62, 55, 58]), MAJOR)
    song = Song(title, tempo)
    song.level = 0.75
    bpb = 4
    c = key.chord
    verse = rng.pick([[c(0), c(5), c(3), c(4)], [c(0), c(4), c(5), c(3)], [c(0), c(2), c(3), c(4)]])
    chorus = rng.pick([[c(3), c(0), c(4), c(5)], [c(5), c(3), c(0), c(4)], [c(3), c(4), c(0), c(0)]])
    bridge = [c(5), c(2), c(3), c(1, 4)]
    form = Form(bpb)
    layout(form, rng, key, [c(0), c(3), c(0), c(4)], verse * 2, chorus * 2, bridge, [c(3), c(0)], tempo, bpb)

    melody = song.track("Melody", 0, program=rng.pick([73, 60, 56, 68]), volume=95, pan=60, reverb=60)
    strings = song.track("Strings", 1, program=48, volume=82, pan=50, reverb=70)
    piano = song.track("Piano", 2, program=0, volume=80, pan=76, reverb=50)
    bass = song.track("Basses", 3, program=rng.pick([32, 43]), volume=96, pan=64, reverb=40)
    horns = song.track("Horns", 4, program=60, volume=72, pan=40, reverb=60)
    drums = song.track("Percussion", 9, volume=86, reverb=40)
    timpani = song.track("Timpani", 5, program=47, volume=88, pan=64, reverb=60)

    motifs = {"verse": (make_motif(rng, 2, bpb, RHYTHM_CELLS["calm"] + RHYTHM_CELLS["even"]), 2),
              "chorus": (make_motif(rng, 4, bpb, RHYTHM_CELLS["even"]), 4),
              "bridge": (make_motif(rng, 4, bpb, RHYTHM_CELLS["calm"]), 4)}
    melody_over(form, melody, key, rng, motifs, 67, 88, velocity=88, legato=0.97)

    voiced = None
    for bar, (name, chord, _) in enumerate(form.bars):
        start = bar * bpb
        # Strings move to the nearest tones of each new chord.
        target = voiced[0] if voiced else key.tonic
        voiced = chord.voicing(target, 4)
        strings.chord(start, bpb * 0.98, voiced, 70 if name in ("verse", "intro") else 84)
        pattern = [0, 2, 1, 2] if name != "chorus" else [0, 1, 2, 3, 2, 1, 0, 2]
        tones = chord.voicing(key.tonic + 12, 4)
        for i in range(int(bpb / 0.5)):
            piano.note(start + i * 0.5, 0.48, tones[pattern[i % len(pattern)] % len(tones)], 66)
        bass.note(start, 1.9, chord.root - 24 if chord.root - 24 >= 36 else chord.root - 12, 88)
        bass.note(start + 2, 1.9, chord.root - 12 - 5 if chord.root - 17 >= 36 else chord.root - 5, 80)
        if name in ("chorus", "outro"):
            horns.chord(start, 1.5, chord.voicing(key.tonic - 5, 3), 76)
            horns.chord(start + 2.5, 1.4, chord.voicing(key.tonic - 5, 3), 70)
            pattern = [(0, KICK, 5), (1, SNARE, -5), (2, KICK, 0), (3, SNARE, -5), (3.5, KICK, -15)]
            pattern += [(x * 0.5, CLOSED_HAT, -35) for x in range(8)]
            drum_bar(drums, start, pattern, 84, human=rng)
        if form.bars[bar][2] == 0 and name != "verse":
            timpani.note(start, 0.9, (key.tonic % 12) + 36 + (12 if key.tonic % 12 < 5 else 0), 100)
            drums.note(start, 0.1, CRASH, 80)
        if name == "outro" and bar == len(form.bars) - 1:
            for k in range(8):
                timpani.note(start + k * 0.25, 0.2, (key.tonic % 12) + 36, 70 + k * 5)
            strings.chord(start + bpb, bpb, key.chord(0).voicing(key.tonic, 4), 90)
            melody.note(start + bpb, bpb, key.tonic + 12, 90)
    return song


# --- Oldies: doo-wop and rock'n'roll, shuffle feel, sax and piano triplets.

def compose_oldies(title, seed, kind):
    rng = Rng(seed)
    key = Key(rng.pick([60, 55, 53, 58]), MAJOR)
    c = key.chord
    if kind == "doowop":
        tempo = 74 + rng.below(14)
        bpb = 4
        verse = [c(0), c(5), c(3), c(4)]
        chorus = [c(3), c(4), c(0), c(5), c(3), c(4), c(0), c(0)]
        bridge = [c(3), c(3), c(0), c(0), Chord(key.chord(1).pitches[:1] + [key.degree(1) + 4, key.degree(1) + 7]),
                  c(1), c(4), c(4)]
    else:
        tempo = 150 + rng.below(25)
        bpb = 4
        # The twelve-bar blues with dominant sevenths.
        I, IV, V = explicit(key.tonic, DOM7), explicit(key.tonic + 5, DOM7), explicit(key.tonic + 7, DOM7)
        verse = [I, I, I, I, IV, IV, I, I, V, IV, I, V]
        chorus = [IV, IV, I, I, V, V, I, I] if kind == "twist" else [I, IV, I, I, IV, IV, I, I, V, IV, I, I]
        bridge = [IV, IV, I, I, IV, IV, V, V]
    song = Song(title, tempo)
    form = Form(bpb)
    layout(form, rng, key, verse[:2], verse, chorus, bridge, [c(0)], tempo, bpb)

    lead = song.track("Tenor sax", 0, program=rng.pick([66, 65]) if kind != "doowop" else 52,
                      volume=92, pan=58, reverb=50)
    piano = song.track("Piano", 1, program=0 if kind == "doowop" else 1, volume=82, pan=72, reverb=40)
    bass = song.track("Upright bass", 2, program=32, volume=100, pan=64, reverb=20)
    guitar = song.track("Guitar", 3, program=rng.pick([26, 27]), volume=70, pan=40, reverb=40)
    drums = song.track("Drums", 9, volume=88, reverb=30)

    cells = RHYTHM_CELLS["calm"] if kind == "doowop" else RHYTHM_CELLS["swing"]
    motifs = {"verse": (make_motif(rng, 2, bpb, cells), 2),
              "chorus": (make_motif(rng, 2, bpb, cells), 2),
              "bridge": (make_motif(rng, 4, bpb, RHYTHM_CELLS["calm"]), 4)}
    melody_over(form, lead, key, rng, motifs, 62, 84, velocity=90, legato=0.95, swing=(kind != "doowop"))

    for bar, (name, chord, _) in enumerate(form.bars):
        start = bar * bpb
        voiced = chord.voicing(key.tonic + 5, 3)
        root = chord.root - 24 if chord.root - 24 >= 36 else chord.root - 12
        if kind == "doowop":
            # Twelve-eight: piano chords on every triplet, bass on the beats.
            for beat in range(bpb):
                for k in range(3):
                    piano.chord(start + beat + k / 3.0, 0.3, voiced, 70 if k == 0 else 52)
            for beat, interval in [(0, 0), (1, 7), (2, 12), (3, 7)]:
                bass.note(start + beat, 0.9, root + interval, 92)
            guitar.chord(start + 1, 0.3, voiced, 55)
            guitar.chord(start + 3, 0.3, voiced, 55)
            if name != "intro":
                drum_bar(drums, start, [(0, KICK, 0), (1, SNARE, 5), (2, KICK, -5), (3, SNARE, 5)]
                         + [(b + k / 3.0, RIDE, -30) for b in range(bpb) for k in range(3)], 80, human=rng)
        else:
            # Boogie bass, shuffled, and piano stabs on the off-beats.
            walk = [0, 4, 7, 9, 10, 9, 7, 4]
            for i, interval in enumerate(walk):
                bass.note(swung(start + i * 0.5), 0.4, root + interval, 96 if i % 2 == 0 else 80)
            for beat in range(bpb):
                piano.chord(swung(start + beat + 0.5), 0.25, voiced, 66)
            for beat in (1, 3):
                guitar.chord(start + beat, 0.4, voiced, 62)
            if name != "intro":
                pattern = [(0, KICK, 5), (1, SNARE, 10), (2, KICK, 0), (3, SNARE, 10)]
                pattern += [(x * 0.5, CLOSED_HAT if kind == "twist" else RIDE, -25) for x in range(8)]
                drum_bar(drums, start, pattern, 86, swing=True, human=rng)
        if form.bars[bar][2] == 0 and name != "intro":
            drums.note(start, 0.1, CRASH, 76)
    last = len(form.bars) * bpb
    piano.chord(last, bpb, key.chord(0).voicing(key.tonic + 5, 4), 80)
    bass.note(last, bpb, key.tonic - 24, 90)
    lead.note(last, bpb, key.tonic + 12, 88)
    return song


# --- Jazz: swing, walking bass, seventh chords, ride cymbal.

def compose_jazz(title, seed, kind):
    rng = Rng(seed)
    tempo = 118 + rng.below(40) if kind != "ballad" else 72 + rng.below(12)
    tonic = rng.pick([60, 65, 58, 63])
    key = Key(tonic, MAJOR)
    t = tonic

    def ii_v_i(root):
        return [explicit(root + 2, MIN7), explicit(root + 7, DOM7), explicit(root, MAJ7), explicit(root, MAJ7)]

    if kind == "blues":
        I, IV, V, ii = explicit(t, DOM7), explicit(t + 5, DOM7), explicit(t + 7, DOM7), explicit(t + 2, MIN7)
        verse = [I, IV, I, I, IV, IV, I, explicit(t + 9, DOM7), ii, V, I, V]
        chorus = verse
        bridge = [IV, IV, I, I, ii, V, I, I]
    else:
        verse = ii_v_i(t) + [explicit(t + 9, MIN7), explicit(t + 2, DOM7), explicit(t + 2, MIN7),
                             explicit(t + 7, DOM7)]
        chorus = [explicit(t + 5, MAJ7), explicit(t + 5, MIN7), explicit(t + 4, MIN7), explicit(t + 9, DOM7)] + \
            [explicit(t + 2, MIN7), explicit(t + 7, DOM7), explicit(t, MAJ7), explicit(t + 7, DOM7)]
        bridge = ii_v_i(t + 5) + ii_v_i(t + 3)
    song = Song(title, tempo)
    song.level = 1.2 if kind == "ballad" else 1.0
    bpb = 4
    form = Form(bpb)
    layout(form, rng, key, [explicit(t + 2, MIN7), explicit(t + 7, DOM7)], verse, chorus, bridge,
           [explicit(t, MAJ7)], tempo, bpb)

    horn = song.track("Horn", 0, program={"blues": 66, "ballad": 11}.get(kind, 56), volume=90, pan=56, reverb=55)
    piano = song.track("Piano", 1, program=0, volume=76, pan=76, reverb=50)
    bass = song.track("Walking bass", 2, program=32, volume=104, pan=60, reverb=25)
    drums = song.track("Brushes and ride", 9, volume=80, reverb=40)

    cells = RHYTHM_CELLS["swing"] if kind != "ballad" else RHYTHM_CELLS["calm"] + RHYTHM_CELLS["swing"]
    motifs = {"verse": (make_motif(rng, 2, bpb, cells, rest_chance=25), 2),
              "chorus": (make_motif(rng, 4, bpb, cells, rest_chance=25), 4),
              "bridge": (make_motif(rng, 2, bpb, cells, rest_chance=20), 2)}
    # The melody hears the seventh chords through a chromatic-friendly scale.
    blues_key = Key(t, MIXOLYDIAN) if kind == "blues" else key
    melody_over(form, horn, blues_key, rng, motifs, 62, 84, velocity=86, legato=0.9, swing=True)

    comp_rhythms = [[(0, 1.2)], [(1.5, 0.4), (3, 0.6)], [(0.5, 0.4), (2.5, 0.6)], [(0, 0.5), (1.5, 1.5)],
                    [(2.5, 1.2)]]
    for bar, (name, chord, _) in enumerate(form.bars):
        start = bar * bpb
        next_chord = form.bars[bar + 1][1] if bar + 1 < len(form.bars) else chord
        # Walking bass: root on one, chord tones between, a half step into the next root.
        root = chord.root - 24 if chord.root - 24 >= 38 else chord.root - 12
        target = nearest([p for p in range(root - 7, root + 8) if p % 12 == next_chord.root % 12], root)
        third = root + (chord.pitches[1] - chord.pitches[0])
        fifth = root + (chord.pitches[2] - chord.pitches[0])
        if kind == "ballad":
            bass.note(start, 1.9, root, 96)
            bass.note(start + 2, 1.9, fifth, 86)
        else:
            middle = rng.pick([[third, fifth], [fifth, third], [root + 2, third], [fifth, fifth + 2]])
            approach = target + rng.pick([-1, 1])
            for i, p in enumerate([root] + middle + [approach]):
                bass.note(start + i, 0.92, p, 100 if i == 0 else 88)
        # Rootless voicings: third, seventh and ninth (or fifth) in the middle register.
        third_pc = chord.pitches[1] % 12
        seventh_pc = chord.pitches[3] % 12 if len(chord.pitches) > 3 else chord.pitches[2] % 12
        ninth_pc = (chord.root + 2) % 12
        base = nearest([p for p in range(52, 66) if p % 12 in (third_pc, seventh_pc)], 58)
        voicing = sorted([p for p in range(base, base + 13) if p % 12 in (third_pc, seventh_pc, ninth_pc)])[:3]
        for beat, length in rng.pick(comp_rhythms):
            piano.chord(swung(start + beat), length, voicing, 62 + rng.below(12))
        if name == "intro" and kind != "ballad":
            continue
        if kind == "ballad":
            pattern = [(b + s, BRUSH, -40) for b in range(bpb) for s in (0, 0.5)] + [(1, PEDAL_HAT, -30),
                                                                                  (3, PEDAL_HAT, -30)]
        else:
            pattern = [(0, RIDE, -10), (1, RIDE, -5), (1.5, RIDE, -20), (2, RIDE, -10), (3, RIDE, -5),
                       (3.5, RIDE, -20), (1, PEDAL_HAT, -25), (3, PEDAL_HAT, -25)]
            if rng.chance(30):
                pattern.append((rng.pick([1.5, 2.5, 3.5]), SNARE, -45))
            if rng.chance(20):
                pattern.append((rng.pick([0, 2.5]), KICK, -40))
        drum_bar(drums, start, pattern, 82, swing=True, human=rng)
    last = len(form.bars) * bpb
    piano.chord(last, bpb, [t - 1, t + 4, t + 9, t + 14], 70)
    bass.note(last, bpb, t - 24 if t - 24 >= 36 else t - 12, 90)
    horn.note(last, bpb, t + 14 if kind != "ballad" else t + 11, 80)
    return song


# --- Misc: a bossa nova, a waltz and a night-drive synth piece.

def compose_bossa(title, seed):
    rng = Rng(seed)
    tempo = 128 + rng.below(16)
    t = rng.pick([62, 57, 60])
    key = Key(t, MAJOR)
    verse = [explicit(t, MAJ7), explicit(t, MAJ7), explicit(t + 2, DOM7), explicit(t + 2, DOM7),
             explicit(t + 2, MIN7), explicit(t + 7, DOM7), explicit(t, MAJ7), explicit(t + 7, DOM7)]
    chorus = [explicit(t + 5, MAJ7), explicit(t + 5, MIN7), explicit(t + 4, MIN7), explicit(t + 9, DOM7),
              explicit(t + 2, MIN7), explicit(t + 7, DOM7), explicit(t, MAJ7), explicit(t, MAJ7)]
    bridge = [explicit(t + 9, MIN7), explicit(t + 2, DOM7), explicit(t + 7, MAJ7), explicit(t + 7, MAJ7)]
    song = Song(title, tempo)
    bpb = 4
    form = Form(bpb)
    layout(form, rng, key, verse[:2], verse, chorus, bridge, [explicit(t, MAJ7)], tempo, bpb)
    flute = song.track("Flute", 0, program=73, volume=88, pan=60, reverb=60)
    guitar = song.track("Nylon guitar", 1, program=24, volume=88, pan=74, reverb=45)
    bass = song.track("Bass", 2, program=32, volume=96, reverb=25)
    drums = song.track("Percussion", 9, volume=76, reverb=35)
    motifs = {"verse": (make_motif(rng, 2, bpb, RHYTHM_CELLS["calm"] + RHYTHM_CELLS["even"]), 2),
              "chorus": (make_motif(rng, 4, bpb, RHYTHM_CELLS["even"]), 4),
              "bridge": (make_motif(rng, 2, bpb, RHYTHM_CELLS["calm"]), 2)}
    melody_over(form, flute, key, rng, motifs, 67, 89, velocity=80, legato=0.95)
    # The bossa guitar: bass on one and the "and" of two, chords in the clave-like gaps.
    chord_beats = [0.5, 1.5, 2.5, 3.0]
    for bar, (name, chord, _) in enumerate(form.bars):
        start = bar * bpb
        root = chord.root - 24 if chord.root - 24 >= 38 else chord.root - 12
        fifth = root + (chord.pitches[2] - chord.pitches[0]) - 12
        guitar.note(start, 1.4, root, 80)
        guitar.note(start + 2, 1.4, fifth if fifth >= 36 else fifth + 12, 74)
        voiced = chord.voicing(t - 2, 4)
        for b in chord_beats:
            guitar.chord(start + b, 0.45, voiced, 62)
        bass.note(start, 1.4, root, 90)
        bass.note(start + 1.5, 0.45, fifth if fifth >= 31 else fifth + 12, 80)
        bass.note(start + 2, 1.9, fifth if fifth >= 31 else fifth + 12, 84)
        if name != "intro":
            pattern = [(x * 0.25, SHAKER, -45 if x % 2 else -35) for x in range(16)]
            pattern += [(0, CLAVES, -30), (0.75, CLAVES, -30), (1.5, CLAVES, -30), (2.5, CLAVES, -30),
                        (3.0, CLAVES, -30), (0, KICK, -30), (2, KICK, -30), (1.5, RIM, -40), (3.5, RIM, -40)]
            drum_bar(drums, start, pattern, 80, human=rng)
    last = len(form.bars) * bpb
    guitar.chord(last, bpb, explicit(t, MAJ7).voicing(t - 5, 4), 74)
    bass.note(last, bpb, t - 24 if t - 24 >= 38 else t - 12, 86)
    return song


def compose_waltz(title, seed):
    rng = Rng(seed)
    tempo = 150 + rng.below(20)
    key = Key(rng.pick([55, 60, 57]), rng.pick([MAJOR, MINOR]))
    c = key.chord
    bpb = 3
    verse = [c(0), c(0), c(4), c(4), c(4), c(4), c(0), c(0)]
    chorus = [c(3), c(3), c(0), c(0), c(4), c(4), c(0), c(0)]
    bridge = [c(5), c(5), c(1), c(1), c(4), c(4), c(4), c(4)]
    song = Song(title, tempo, beats_per_bar=3)
    song.level = 1.2
    form = Form(bpb)
    layout(form, rng, key, [c(0), c(4)], verse, chorus, bridge, [c(0), c(0)], tempo, bpb)
    accordion = song.track("Accordion", 0, program=21, volume=90, pan=60, reverb=45)
    pizz = song.track("Pizzicato", 1, program=45, volume=80, pan=76, reverb=45)
    tuba = song.track("Tuba", 2, program=58, volume=92, pan=60, reverb=30)
    glock = song.track("Glockenspiel", 3, program=9, volume=60, pan=40, reverb=60)
    motifs = {"verse": (make_motif(rng, 4, bpb, RHYTHM_CELLS["triple"]), 4),
              "chorus": (make_motif(rng, 4, bpb, RHYTHM_CELLS["triple"]), 4),
              "bridge": (make_motif(rng, 2, bpb, RHYTHM_CELLS["triple"]), 2)}
    melody_over(form, accordion, key, rng, motifs, 67, 88, velocity=86, legato=0.9)
    for (s, l, p, v) in list(accordion.notes):
        if rng.chance(25):
            glock.note(s, min(l, 1), p + 12, v - 25)
    for bar, (name, chord, _) in enumerate(form.bars):
        start = bar * bpb
        root = chord.root - 24 if chord.root - 24 >= 33 else chord.root - 12
        tuba.note(start, 0.9, root if bar % 2 == 0 else root + (chord.pitches[2] - chord.pitches[0]) - 12, 92)
        voiced = chord.voicing(key.tonic + 2, 3)
        pizz.chord(start + 1, 0.4, voiced, 64)
        pizz.chord(start + 2, 0.4, voiced, 60)
    last = len(form.bars) * bpb
    accordion.note(last, bpb * 2, key.tonic + 12, 80)
    pizz.chord(last, 1, key.chord(0).voicing(key.tonic + 2, 3), 70)
    tuba.note(last, 2, key.tonic - 24 if key.tonic - 24 >= 33 else key.tonic - 12, 90)
    return song


def compose_night_drive(title, seed):
    rng = Rng(seed)
    tempo = 100 + rng.below(14)
    key = Key(rng.pick([57, 52, 55]), MINOR)
    c = key.chord
    bpb = 4
    verse = [c(0), c(5), c(2), c(6)]
    chorus = [c(5), c(6), c(0), c(0), c(5), c(6), c(4), c(4)]
    bridge = [c(3), c(5), c(3), c(4)]
    song = Song(title, tempo)
    song.level = 0.78
    form = Form(bpb)
    layout(form, rng, key, [c(0), c(0), c(5), c(5)], verse * 2, chorus, bridge * 2, [c(0), c(0)], tempo, bpb)
    lead = song.track("Saw lead", 0, program=81, volume=84, pan=64, reverb=60, chorus=40)
    pad = song.track("Warm pad", 1, program=89, volume=80, pan=64, reverb=80, chorus=60)
    bass = song.track("Synth bass", 2, program=38, volume=100, reverb=10)
    seq = song.track("Sequencer", 3, program=rng.pick([87, 84]), volume=56, pan=30, reverb=50)
    drums = song.track("Drum machine", 9, volume=90, reverb=40)
    motifs = {"verse": (make_motif(rng, 4, bpb, RHYTHM_CELLS["calm"]), 4),
              "chorus": (make_motif(rng, 2, bpb, RHYTHM_CELLS["even"]), 2),
              "bridge": (make_motif(rng, 4, bpb, RHYTHM_CELLS["calm"]), 4)}
    melody_over(form, lead, key, rng, motifs, 64, 86, velocity=84, legato=0.98, sections=("chorus", "bridge"))
    for bar, (name, chord, _) in enumerate(form.bars):
        start = bar * bpb
        pad.chord(start, bpb, chord.voicing(key.tonic, 4), 62)
        root = chord.root - 24 if chord.root - 24 >= 33 else chord.root - 12
        for i in range(8):
            bass.note(start + i * 0.5, 0.4, root, 96 if i % 2 == 0 else 78)
        tones = chord.voicing(key.tonic + 12, 3)
        for i in range(16):
            if i % 3 != 2:
                seq.note(start + i * 0.25, 0.2, tones[i % 3] + (12 if i % 8 >= 6 else 0), 60)
        if name == "intro":
            continue
        pattern = [(0, KICK, 10), (1, CLAP, 0), (2, KICK, 5), (3, CLAP, 0)]
        pattern += [(x * 0.5 + 0.5, OPEN_HAT if x % 2 == 0 else CLOSED_HAT, -30) for x in range(0, 8, 2)]
        drum_bar(drums, start, pattern, 88, human=rng)
        if form.bars[bar][2] == 0:
            drums.note(start, 0.1, CRASH, 80)
    return song


# --- The intro: a slow build to a broad theme, long enough to be heard from 18.5 s.

def compose_intro(seed):
    rng = Rng(seed)
    tempo = 96
    key = Key(60, MAJOR)
    c = key.chord
    bpb = 4
    song = Song("Quillon intro", tempo)
    form = Form(bpb)
    # About 18 s of rising pads, then the theme twice and a cadence: some 85 s in all.
    form.add("swell", [c(0), c(5), c(3), c(4)] * 2)
    form.add("verse", [c(0), c(4), c(5), c(3), c(0), c(4), c(3), c(4)])
    form.add("chorus", [c(3), c(4), c(2), c(5), c(3), c(4), c(0), c(0)])
    form.add("verse", [c(0), c(4), c(5), c(3), c(0), c(4), c(3), c(4)])
    form.add("chorus", [c(3), c(4), c(2), c(5), c(3), c(4), c(0), c(0)])
    form.add("outro", [c(3), c(4), c(0), c(0)])
    theme = song.track("Theme", 0, program=61, volume=92, pan=60, reverb=70)
    strings = song.track("Strings", 1, program=48, volume=84, pan=48, reverb=80)
    choir = song.track("Choir", 2, program=52, volume=66, pan=80, reverb=90)
    bass = song.track("Basses", 3, program=43, volume=94, reverb=60)
    arp = song.track("Arpeggio", 4, program=81, volume=52, pan=30, reverb=60)
    timpani = song.track("Timpani", 5, program=47, volume=90, reverb=60)
    drums = song.track("Drums", 9, volume=84, reverb=50)
    motifs = {"verse": (make_motif(rng, 2, bpb, RHYTHM_CELLS["calm"] + RHYTHM_CELLS["even"]), 2),
              "chorus": (make_motif(rng, 4, bpb, RHYTHM_CELLS["even"]), 4)}
    melody_over(form, theme, key, rng, motifs, 67, 86, velocity=92, legato=0.97, sections=("verse", "chorus"))
    voiced = None
    for bar, (name, chord, index) in enumerate(form.bars):
        start = bar * bpb
        voiced = chord.voicing(voiced[0] if voiced else 55, 4)
        loud = 40 + bar * 5 if name == "swell" else 80
        strings.chord(start, bpb, voiced, min(loud, 90))
        if name != "swell" or bar >= 4:
            choir.chord(start, bpb, chord.voicing(67, 3), min(loud, 76))
        bass.note(start, bpb, chord.root - 24 if chord.root - 24 >= 36 else chord.root - 12, min(loud + 10, 96))
        if name in ("verse", "chorus", "outro") or bar >= 6:
            tones = chord.voicing(72, 4)
            for i in range(16):
                arp.note(start + i * 0.25, 0.2, tones[[0, 1, 2, 3, 2, 1][i % 6] % len(tones)], 58)
        if name == "chorus":
            pattern = [(0, KICK, 5), (1, SNARE, 0), (2, KICK, 0), (2.5, KICK, -15), (3, SNARE, 0)]
            pattern += [(x * 0.5, CLOSED_HAT, -35) for x in range(8)]
            drum_bar(drums, start, pattern, 84, human=rng)
        if index == 0 and name != "swell":
            drums.note(start, 0.1, CRASH, 88)
            timpani.note(start, 1, 43, 100)
        if name == "swell" and bar == 7:
            for k in range(16):
                timpani.note(start + k * 0.25, 0.2, 43, 50 + k * 3)
    last = len(form.bars) * bpb
    strings.chord(last, 6, [48, 55, 64, 67, 72], 96)
    choir.chord(last, 6, [60, 64, 67], 80)
    theme.note(last, 6, 72, 96)
    bass.note(last, 6, 36, 100)
    timpani.note(last, 1, 36, 110)
    drums.note(last, 0.1, CRASH, 100)
    return song


SONGS = {
    "General": [("Grand Opening", lambda s: compose_general("Grand Opening", s), 101),
                ("Morning At The Studio", lambda s: compose_general("Morning At The Studio", s), 102),
                ("Silver Cartridge", lambda s: compose_general("Silver Cartridge", s), 103)],
    "C64": [("Raster Bars", lambda s: compose_c64("Raster Bars", s), 201),
            ("Loading Screen", lambda s: compose_c64("Loading Screen", s), 202),
            ("Joystick Port Two", lambda s: compose_c64("Joystick Port Two", s), 203),
            ("Sprite Collision", lambda s: compose_c64("Sprite Collision", s), 204)],
    "PC": [("Turbo Button", lambda s: compose_pc("Turbo Button", s), 301),
           ("Config Night", lambda s: compose_pc("Config Night", s), 302),
           ("FM Highway", lambda s: compose_pc("FM Highway", s), 303)],
    "Oldies": [("Drive-In Moon", lambda s: compose_oldies("Drive-In Moon", s, "doowop"), 401),
               ("Jukebox Saturday", lambda s: compose_oldies("Jukebox Saturday", s, "rock"), 402),
               ("Soda Fountain Twist", lambda s: compose_oldies("Soda Fountain Twist", s, "twist"), 403)],
    "Jazz": [("Overtime Swing", lambda s: compose_jazz("Overtime Swing", s, "standard"), 501),
             ("Blue Floppy", lambda s: compose_jazz("Blue Floppy", s, "blues"), 502),
             ("Late Night Compile", lambda s: compose_jazz("Late Night Compile", s, "ballad"), 503)],
    "Misc": [("Bossa For A Beta Tester", lambda s: compose_bossa("Bossa For A Beta Tester", s), 601),
             ("Office Waltz", lambda s: compose_waltz("Office Waltz", s), 602),
             ("Neon Deadline", lambda s: compose_night_drive("Neon Deadline", s), 603)],
}
INTRO_SEED = 700


# ---------------------------------------------------------------------------
# Sound effects: short, synthesised sample by sample.

RATE = 22050


def write_wav(path, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = 0.7 * 32767 / peak
    frames = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def envelope(i, n, attack=0.004, decay=8.0):
    t = i / RATE
    a = min(1.0, t / attack) if attack > 0 else 1.0
    return a * math.exp(-decay * t) * min(1.0, (n - i) / (0.004 * RATE))


def tone(freqs, seconds, decay=8.0, partials=((1, 1.0),), sweep=None):
    n = int(seconds * RATE)
    out = []
    phase = [0.0] * len(partials)
    for i in range(n):
        f = freqs if not sweep else sweep(i / n)
        s = 0.0
        for k, (mult, amp) in enumerate(partials):
            phase[k] += 2 * math.pi * f * mult / RATE
            s += amp * math.sin(phase[k])
        out.append(s * envelope(i, n, decay=decay))
    return out


def mix(*parts):
    """Adds sounds, each starting at its offset in seconds."""
    n = max(int(offset * RATE) + len(p) for offset, p in parts)
    out = [0.0] * n
    for offset, p in parts:
        start = int(offset * RATE)
        for i, sample in enumerate(p):
            out[start + i] += sample
    return out


def make_effects():
    os.makedirs(SOUNDS_DIR, exist_ok=True)
    bell = ((1, 1.0), (2.76, 0.35), (5.4, 0.15))
    soft = ((1, 1.0), (2, 0.2))
    effects = {
        # A soft, short tick for the menu links.
        "link.wav": tone(1320, 0.06, decay=55, partials=soft),
        # End Of Week: a two-note rising bell.
        "endofweek.wav": mix((0, tone(784, 0.5, decay=7, partials=bell)),
                             (0.11, tone(1175, 0.55, decay=6, partials=bell))),
        # Game Options: a quick glide upwards with a little sparkle at the top.
        "options.wav": mix((0, tone(0, 0.16, decay=10, partials=soft, sweep=lambda x: 420 + 600 * x)),
                           (0.12, tone(1568, 0.12, decay=30, partials=bell))),
        # A panel closes: a short fall.
        "close.wav": tone(0, 0.12, decay=22, partials=soft, sweep=lambda x: 900 - 480 * x),
        # The side panel opens wider: a chirp up; narrower: a chirp down.
        "widen.wav": tone(0, 0.09, decay=18, partials=((1, 1.0), (3, 0.25)), sweep=lambda x: 500 + 500 * x),
        "narrow.wav": tone(0, 0.09, decay=18, partials=((1, 1.0), (3, 0.25)), sweep=lambda x: 1000 - 500 * x),
    }
    for name, samples in effects.items():
        write_wav(os.path.join(SOUNDS_DIR, name), samples)
        print("%-40s %5.2f s" % (os.path.join("data/sounds", name), len(samples) / RATE))


# ---------------------------------------------------------------------------


def make_songs():
    written = []
    for style, songs in SONGS.items():
        folder = os.path.join(MUSIC_DIR, style)
        os.makedirs(folder, exist_ok=True)
        for old in os.listdir(folder):
            if old.lower().endswith(".mid"):
                os.remove(os.path.join(folder, old))
        for title, compose, seed in songs:
            song = compose(seed)
            path = os.path.join(folder, title + ".mid")
            song.write(path)
            seconds = song.seconds()
            if seconds < 60:
                raise SystemExit("%s lasts only %.1f s" % (path, seconds))
            print("%-52s %5.1f s  %3d bpm" % (os.path.relpath(path, ROOT), seconds, song.tempo))
            written.append(path)
    return written


def have(*tools):
    return all(shutil.which(t) for t in tools) and os.path.exists(SOUNDFONT)


def render(midi, wav, font=SOUNDFONT):
    subprocess.run(["fluidsynth", "-ni", "-q", "-g", "0.6", "-r", "44100", "-F", wav, font, midi],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def make_intro():
    song = compose_intro(INTRO_SEED)
    target = os.path.join(MUSIC_DIR, "FP.mp3")
    if not have("fluidsynth", "lame"):
        print("fluidsynth, lame or %s missing: %s left as it is" % (SOUNDFONT, target))
        return
    with tempfile.TemporaryDirectory() as tmp:
        midi = os.path.join(tmp, "intro.mid")
        wav = os.path.join(tmp, "intro.wav")
        song.write(midi)
        render(midi, wav)
        subprocess.run(["lame", "--quiet", "--noreplaygain", "-b", "96", "--resample", "44.1",
                        "--tt", "Quillon intro", "--ta", "Quillon", wav, target], check=True)
    print("%-52s %5.1f s  %3d bpm" % (os.path.relpath(target, ROOT), song.seconds(), song.tempo))


def sox_stats(wav):
    stats = subprocess.run(["sox", wav, "-n", "stats"], capture_output=True, text=True).stderr
    values = {}
    for line in stats.splitlines():
        # "Pk lev dB   -8.60   -8.60  -10.23": the label, then both channels together.
        match = re.match(r"(\D+?)\s+(-?[\d.]+)", line)
        if match:
            values[match.group(1).strip()] = match.group(2)
    return values


def check(paths):
    """Renders every song with the soundfont the intro is made with and with the small one the
    game prefers, and prints length and levels, so a song that is silent, too short, clipping
    or out of balance with the others shows."""
    if not have("fluidsynth", "sox"):
        raise SystemExit("--check needs fluidsynth, sox and " + SOUNDFONT)
    fonts = [SOUNDFONT] + [f for f in [RUNTIME_SOUNDFONT] if os.path.exists(f)]
    header = "%-40s %8s" % ("rendered with fluidsynth", "seconds")
    for font in fonts:
        name = os.path.basename(font)[:8]
        header += " %9s %9s" % (name + " pk", "rms dB")
    print("\n" + header)
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "song.wav")
        for path in paths + [os.path.join(MUSIC_DIR, "FP.mp3")]:
            line = "%-40s" % os.path.relpath(path, MUSIC_DIR)[:40]
            for i, font in enumerate(fonts):
                if path.endswith(".mid"):
                    render(path, wav, font)
                elif i == 0:
                    subprocess.run(["sox", path, wav], check=True)
                else:
                    break
                values = sox_stats(wav)
                if i == 0:
                    line += " %8s" % values.get("Length s")
                line += " %9s %9s" % (values.get("Pk lev dB"), values.get("RMS lev dB"))
            print(line)


def main():
    paths = make_songs()
    make_intro()
    make_effects()
    if "--check" in sys.argv[1:]:
        check(paths)


if __name__ == "__main__":
    main()
