#!/usr/bin/python3
"""Writes the ost.txt and coord.txt test files of this folder with their exact bytes.

The texts below are the hand-written contents; this script only applies the encodings,
byte order marks and line ends that each file needs. Run it from any directory.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
COORD = os.path.join(HERE, '..', 'coordfile')
BOM = b'\xef\xbb\xbf'


def lines(text, enc='utf-8', eol=b'\r\n', bom=False, final_eol=True):
    rows = text.split('\n')
    data = eol.join(r.encode(enc) for r in rows)
    if final_eol:
        data += eol
    return (BOM if bom else b'') + data


def put(folder, name, data):
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


# --- ost.txt -------------------------------------------------------------------------------

# The new-route example: UTF-8, BOM, CR LF. Canonical: writing it back gives the same bytes.
NEWROUTE = r'''1\\Пункт А\\Пункт Б_S_C\\F11;R4;#080;
1 Остановка Пункт А.\\Следующая остановка Пункт Б. Конечная.
  .wav
2 Остановка Пункт Б. Конечная.
  .wav
3 STOP Остановка Пункт Б.\\Следующая остановка Пункт А. Конечная.
  .wav
4 Остановка Пункт А. Конечная.
  .wav
5 END'''
put(HERE, 'newroute.ost.txt', lines(NEWROUTE, bom=True))
put(HERE, 'newroute.written.ost.txt', lines(NEWROUTE, bom=True))

# Two languages, quoted file names, text files, every option; canonical.
FULL = r'''12А\\Вокзал\\Парк "Юбилейный"_S_C_M\\F01;R7;#f00,0f0,00f;
  Vokzal\\Park "Yubileyny"
1 Остановка Вокзал.\\Следующая остановка Школа №3.
  Stop Vokzal.\\Next stop School No. 3.
  "vokzal ru.wav", vokzal_en.mp3, info.txt
2 Остановка Школа №3.
  School No. 3
  03.wav
3 STOP Остановка Парк «Юбилейный».\\Следующая остановка Вокзал. Конечная.
  "a,b.ape", notes.TXT
4 Остановка Вокзал. Конечная.
  .wav
5  ENDERBY Road
  .wav
6  STOP Lane
  .wav
7 №5
  —.wav
8 END'''
put(HERE, 'full.ost.txt', lines(FULL, bom=True))
put(HERE, 'full.written.ost.txt', lines(FULL, bom=True))

# Windows-1251 without BOM, LF line ends, header options to be normalised on writing.
CP1251 = r'''7\\Центр\\Депо_N\\F0;R40;#ff0000,00f;X1;
1 Остановка Центр.\\Следующая остановка Депо.
  01.wav, 01.txt
2 STOP Остановка Депо.
  02.wav
3 END'''
CP1251_WRITTEN = r'''7\\Центр\\Депо_N\\F00;R16;#f00,00f;
1 Остановка Центр.\\Следующая остановка Депо.
  01.wav, 01.txt
2 STOP Остановка Депо.
  02.wav
3 END'''
put(HERE, 'cp1251.ost.txt', lines(CP1251, enc='cp1251', eol=b'\n'))
put(HERE, 'cp1251.written.ost.txt', lines(CP1251_WRITTEN, bom=True))

# UTF-8 and Windows-1251 mixed by line and within a line, LF and CR LF mixed, a blank line,
# a station line without a space, several STOP marks, lines after END.
u = lambda s: s.encode('utf-8')
w = lambda s: s.encode('cp1251')
MIXED = b''.join([
    u('5\\\\Север\\\\Юг_N\\\\F;R;#abc;'), b'\r\n',
    w('  Північ\\\\Південь'), b'\n',
    w('  пропущена строка'), b'\r\n',
    u('1 Остановка Север.\\\\'), w('Следующая остановка Юг.'), b'\r\n',
    b'  a.wav\n',
    b'\r\n',
    b'7\n',
    w('8 STOP Остановка А.'), b'\r\n',
    b'  b.txt\n',
    u('9 STOP Остановка Б.'), b'\n',
    b'  Zupinka B\r\n',
    b'  c.mp3\r\n',
    b'10 END\r\n',
    u('11 Остановка после конца.'), b'\r\n',
])
MIXED_WRITTEN = r'''5\\Север\\Юг_N\\F11;R1;#abc;
  Північ\\Південь
1 Остановка Север.\\Следующая остановка Юг.
  a.wav
2 
  .wav
3 7
  .wav
4 Остановка А.
  b.txt
5 STOP Остановка Б.
  Zupinka B
  c.mp3
6 END'''
put(HERE, 'mixed.ost.txt', MIXED)
put(HERE, 'mixed.written.ost.txt', lines(MIXED_WRITTEN, bom=True))

# Stations without files lines: the NN.wav default where that file exists (the test creates
# 00.wav .. 03.wav), the ".wav" mark and text files keep it away.
DEFAULTSOUND = r'''3\\A\\B\\F11;R4;#080;
1 Остановка А.
2 Остановка Б.
  .wav

3 Остановка В.
  c.txt
4 Остановка Г.
  Stop G
5 END'''
DEFAULTSOUND_WRITTEN = r'''3\\A\\B\\F11;R4;#080;
1 Остановка А.
  01.wav
2 Остановка Б.
  .wav
3 
  00.wav
4 Остановка В.
  c.txt
5 Остановка Г.
  Stop G
  .wav
6 END'''
put(HERE, 'defaultsound.ost.txt', lines(DEFAULTSOUND))
put(HERE, 'defaultsound.written.ost.txt', lines(DEFAULTSOUND_WRITTEN, bom=True))

# A header of one field, no END line, no line end after the last line; BOM and LF.
SHORT = '42\n1 Остановка Х.\n  x.wav\n2 Остановка Y.'
SHORT_WRITTEN = r'''42\\ \\ \\F11;R4;#080;
1 Остановка Х.
  x.wav
2 Остановка Y.
  .wav
3 END'''
put(HERE, 'short.ost.txt', lines(SHORT, eol=b'\n', bom=True, final_eol=False))
put(HERE, 'short.written.ost.txt', lines(SHORT_WRITTEN, bom=True))

# --- coord.txt -----------------------------------------------------------------------------

# Canonical: UTF-8 without BOM, CR LF.
COORD_BASIC = ''' NEXTDELAY:7
1 55.75580 37.61730 25
2 
3 -33.86882 151.20929 200
4 0.00000 -0.50000 0'''
put(COORD, 'basic.coord.txt', lines(COORD_BASIC))
put(COORD, 'basic.written.coord.txt', lines(COORD_BASIC))

# BOM, LF, other keys, missing and bad tokens, numbers outside the list.
COORD_MESSY = ''' CYCLE:1 NEXTDELAY:12 X:"a b"
2 55.5 37.6
3 x 37.6 30
4 55.5 37.6 300
9 1 1 1
0 1 1 1
-1 1 1 1

abc
1 10.123456789 20.5 -5
5 91 10 10'''
COORD_MESSY_WRITTEN = ''' NEXTDELAY:12
1 10.12346 20.50000 25
2 55.50000 37.60000 25
3 
4 55.50000 37.60000 44
5 '''
put(COORD, 'messy.coord.txt', lines(COORD_MESSY, eol=b'\n', bom=True))
put(COORD, 'messy.written.coord.txt', lines(COORD_MESSY_WRITTEN))

# No key line: the first line is already a station.
COORD_NOHEAD = '''1 1.5 2.5 3
2 -1.5 -2.5 4'''
COORD_NOHEAD_WRITTEN = ''' NEXTDELAY:5
1 1.50000 2.50000 3
2 -1.50000 -2.50000 4'''
put(COORD, 'nohead.coord.txt', lines(COORD_NOHEAD, eol=b'\n'))
put(COORD, 'nohead.written.coord.txt', lines(COORD_NOHEAD_WRITTEN))
