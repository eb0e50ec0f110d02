#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into tests/fuzz/corpus/<target>/.

The seeds are what each parser meets in normal use (a saved data file, the program's
lang.csv in both encodings, the sys.ini the program writes, typed frequencies and
tones, a radio's whole answer to a read and a write) plus a few of the edges the
parsers must survive. Entries added later by scripts/fuzz (crashes once found, named
crash-*) are regression cases: this script leaves them alone.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")
ROOT = os.path.dirname(os.path.dirname(HERE))


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# ---- data files: the record's 1704-byte image -------------------------------------

DEFAULT_ADDRESSES = [0x0000, 0x0010, 0x0050, 0x0090, 0x00D0, 0x0200, 0x0240, 0x02C0,
                     0x0300, 0x0120, 0x0110, 0x0160, 0x01B8, 0x03C0]
FEATURES = {0: 0x31, 1: 0x35, 2: 0x39, 12: 0, 13: 0, 14: 1, 15: 1, 16: 7, 17: 6, 18: 2,
            19: 0, 20: 5, 21: 1, 22: 1, 23: 0, 24: 1, 25: 1, 26: 5, 27: 1, 28: 1, 29: 0,
            30: 0, 31: 0, 32: 0x31, 33: 0x32, 34: 0x33, 35: 0x34, 36: 0x35, 48: 0x35,
            49: 0x34, 50: 0x33, 51: 0x32, 52: 0x31}
KEY = {10: 10, 13: 0}
SCAN = {0: 1, 1: 1, 2: 0x33, 3: 0x33, 4: 3, 5: 4, 6: 0, 7: 3, 8: 0}


def default_blocks():
    blocks = [bytearray([0xFF] * 64) for _ in DEFAULT_ADDRESSES]
    for index, preset in ((9, FEATURES), (10, KEY), (11, SCAN)):
        for byte, value in preset.items():
            blocks[index][byte] = value
    return blocks


def bcd(mhz_text):
    whole, frac = mhz_text.split(".")
    digits = whole.rjust(3, "0") + frac.ljust(5, "0")
    return int(digits, 16)


def channel(rx, tx, rx_tone=0xFFFF, tx_tone=0xFFFF, word12=0x3FF6, word14=0x1FFF):
    return struct.pack("<IIHHHH", bcd(rx), bcd(tx), rx_tone, tx_tone, word12, word14)


def image(blocks, port=1, band=(400, 470), model=1, addresses=DEFAULT_ADDRESSES):
    out = struct.pack("<i", port)
    for address, data in zip(addresses, blocks):
        out += struct.pack(">H", address) + bytes(data)
    out += struct.pack("<iiiiiii", band[0], band[1], model, -1, -1, -1, 30)
    out += bytes(748)
    assert len(out) == 1704
    return out


def set_channel(blocks, index, record):
    block = blocks[1 + index // 4]
    block[16 * (index % 4):16 * (index % 4) + 16] = record


def data_files():
    blocks = default_blocks()
    put("data_file", "new_record.tw", image(blocks))

    vhf = default_blocks()
    set_channel(vhf, 0, channel("145.125", "145.125"))
    set_channel(vhf, 1, channel("146.52", "146.52", 885, 885))
    set_channel(vhf, 2, channel("147.0", "147.6", 0x2813, 0xA9EC))
    put("data_file", "vhf_16_channels.tw", image(vhf, port=3, band=(136, 174)))

    uhf = default_blocks()
    for i in range(32):
        freq = "%d.%05d" % (440 + i, (i * 625) % 100000)
        set_channel(uhf, i, channel(freq, freq, 670 + i, 0x2800 + i * 9))
    full = image(uhf, port=10, band=(440, 480), model=0)
    put("data_file", "uhf_32_channels.tw", full)
    put("data_file", "fields_only_940.tw", full[:940])
    put("data_file", "one_byte_short_939.tw", full[:939])
    put("data_file", "empty.tw", b"")

    odd = default_blocks()
    set_channel(odd, 0, struct.pack("<IIHHHH", 0xFFFF1234, 0xA4512500, 0x0001, 0x7FFF, 0, 0))
    set_channel(odd, 1, struct.pack("<IIHHHH", 0x0000000A, 0x00000000, 0x2FFF, 0xFFFE, 0, 0))
    addresses = list(DEFAULT_ADDRESSES)
    addresses[1] = 0xFFF8
    put("data_file", "odd_values.tw",
        image(odd, port=-5, band=(-2147483648, 2147483647), model=7, addresses=addresses))
    put("data_file", "not_a_data_file.tw", bytes(range(256)) * 8)
    # Odd values a data file of the radio may hold: they open and must show sanely.
    put("data_file", "odd_values_in_place.tw", image(odd, port=-5, model=7))
    moved = list(DEFAULT_ADDRESSES)
    moved[1] = 0x0380
    put("data_file", "block_out_of_place.tw", image(vhf, band=(136, 174), addresses=moved))
    put("data_file", "band_of_no_radio.tw", image(vhf, band=(400, 480)))


# ---- lang.csv ------------------------------------------------------------------------

def lang_files():
    with open(os.path.join(ROOT, "res", "lang.csv"), "rb") as f:
        real = f.read()
    put("lang_csv", "program_utf8.csv", real)
    put("lang_csv", "program_gb18030.csv", real.decode("utf-8").encode("gb18030"))
    put("lang_csv", "program_bom_crlf.csv",
        b"\xEF\xBB\xBF" + real.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"))
    put("lang_csv", "short_lines.csv",
        "简体中文,English,\nx,y,z\nx\na,,c\n,\n\n末行,last".encode("utf-8"))
    put("lang_csv", "header_only.csv", b"A,B")
    put("lang_csv", "two_byte_order_marks.csv", b"\xEF\xBB\xBF\xEF\xBB\xBF")
    put("lang_csv", "empty_header.csv", b"\nfirst,second\n")
    put("lang_csv", "latin1_fallback.csv", b"Fran\xe7ais,English\n\xff\xfe,\x80\n")


# ---- sys.ini -------------------------------------------------------------------------

def settings_files():
    put("sys_ini", "program.ini", b"Com=COM1\r\nDefaultLanguage=0\r\nMode=1\r\n")
    put("sys_ini", "port_and_model.ini", b"Com=COM4\r\nMode=0\r\n")
    put("sys_ini", "ignored_lines.ini", b"  Com=COM2\ncom=COM2\nMode=\nD\n")
    put("sys_ini", "repeated.ini", b"Com=COM3\nCom=COM9\nMode=1")
    put("sys_ini", "large_numbers.ini",
        b"Com=COM99999999999999\nDefaultLanguage=-3\nMode=000000000000001\n")
    put("sys_ini", "empty.ini", b"")


# ---- channel codec: band selector, word, tone, then the typed text --------------------

def codec_inputs():
    def head(band, word=0x14512500, tone=885):
        return bytes([band]) + struct.pack("<IHH", word, tone, 0)

    cases = {
        "vhf_typed": head(0) + b"145.125",
        "uhf_many_decimals": head(1) + b"430.1234567",
        "uhf_raster_6k25": head(1, 0x43000625, 0x2813) + b"430.00625",
        "below_band": head(1, 0xFFFFFFFF, 0xFFFF) + b"50",
        "above_band": head(1, 0x60000000, 0xA9EC) + b"600",
        "outside_but_normal": head(1) + b"480.5",
        "blanks": head(0) + b"   ",
        "dcs_text": head(2, 0x44012500, 0x29FF) + b"DN023",
        "dcs_inverted": head(3, 0, 0xA800) + b"DI754",
        "ctcss_text": head(4, 0x35012500, 670) + b"88.5",
        "not_a_number": head(5) + b"14a.5",
        "raw_band": bytes([6]) + struct.pack("<ii", 50, 600) + b"99.99999",
        "raw_band_extreme": bytes([7]) + struct.pack("<ii", -2147483648, 2147483647) + b"5",
    }
    for name, data in cases.items():
        put("channel_codec", name, data)


# ---- transfers: set-up byte, then one answer record per write of the program ----------

ACK = b"\x01\x06"
SILENT = b"\x00"
IDENTITY = {(400, 1): b"K4686s\xFC\xFF", (400, 0): b"K4686s\xF8\xFF",
            (136, 1): b"K4687\x01\xFC\xFF"}
READ_16 = [0x0000, 0x0010, 0x0050, 0x0090, 0x00D0, 0x0120, 0x0110, 0x0160, 0x03C0]
READ_32 = READ_16[:5] + [0x0200, 0x0240, 0x02C0, 0x0300] + READ_16[5:]


def setup(write=False, channels32=False, band_index=1, reported=False, yes=False,
          retry=False):
    return bytes([int(write) | int(channels32) << 1 | band_index << 2 | int(reported) << 5 |
                  int(yes) << 6 | int(retry) << 7])


def connect(identity):
    return ACK + bytes([8]) + identity + ACK


def read_answers(addresses):
    out = b""
    for address in addresses:
        data = bytes((address + j * 3) & 0xFF for j in range(64))
        out += bytes([68, 0x57, address >> 8, address & 0xFF, 0x40]) + data + ACK
    return out + SILENT  # the end byte


def write_answers(chunks):
    return (SILENT + ACK) * chunks + SILENT


def transfers():
    put("transfer", "read_16", setup() + connect(IDENTITY[400, 1]) + read_answers(READ_16))
    put("transfer", "read_32", setup(channels32=True) + connect(IDENTITY[400, 0]) +
        read_answers(READ_32))
    put("transfer", "read_retry", setup(retry=True) + b"\x01\x15" + connect(IDENTITY[400, 1]) +
        read_answers(READ_16))
    put("transfer", "read_wrong_address", setup() + connect(IDENTITY[400, 1]) +
        read_answers([0x0000, 0x0050]))
    put("transfer", "entry_refused", setup() + b"\x01\x15")
    put("transfer", "silent_radio", setup(write=True))
    put("transfer", "write_16", setup(write=True, reported=True) + connect(IDENTITY[400, 1]) +
        write_answers(26))
    put("transfer", "write_32", setup(write=True, channels32=True) +
        connect(IDENTITY[400, 0]) + write_answers(42))
    put("transfer", "write_other_band_yes", setup(write=True, yes=True) +
        connect(IDENTITY[136, 1]) + write_answers(26))
    put("transfer", "write_other_band_no", setup(write=True) + connect(IDENTITY[136, 1]) +
        write_answers(26))
    put("transfer", "write_chunk_failed", setup(write=True, retry=True) +
        connect(IDENTITY[400, 1]) + SILENT + b"\xFF" + connect(IDENTITY[400, 1]) +
        write_answers(26))


# ---- CSV channel plans: the first byte chooses the band (index % 6) and the
# channel count (16 when (index / 6) is odd) -----------------------------------------

CSV_HEADER = (b"Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
              b"DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,"
              b"RPT1CALL,RPT2CALL,DVCODE\r\n")
OLD_HEADER = (b"Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
              b"DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n")


def channel_plans():
    with open(os.path.join(ROOT, "tests", "data", "chirp_generic.csv"), "rb") as f:
        put("channel_csv", "chirp_generic_400_32", b"\x01" + f.read())
    put("channel_csv", "every_tone_mode_400_16", b"\x07" + CSV_HEADER +
        b"1,,430.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n"
        b"2,,431.000000,+,5.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n"
        b"3,,432.500000,-,5.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,6.25,S,Low,"
        b"BusyLock Level=3,,,,\r\n"
        b"4,,434.000000,,0.000000,DTCS,88.5,88.5,754,RR,023,Tone->Tone,FM,5.00,,High,,,,,\r\n"
        b"5,,436.000000,split,437.000000,Cross,88.5,88.5,023,NR,754,Tone->DTCS,FM,5.00,,"
        b"High,,,,,\r\n"
        b"6,,442.000000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n")
    put("channel_csv", "old_header_136_32", b"\x00" + OLD_HEADER +
        b"0,,145.500000,,0.000000,Tone,100.0,88.5,023,NN,FM,5.00,,,,,,\n"
        b"1,,146.520000,-,0.600000,,88.5,88.5,023,NN,NFM,5.00,S,,,,,\n")
    put("channel_csv", "quoted_and_refused_400_16", b"\x07" +
        b"\"Frequency\",\"Location\",Mode\r\n"
        b"\"435.5\",\"1\",FM\r\n\"480.0\",2,FM\r\n433.1,3,AM\r\n433.2,99,FM\r\n")
    put("channel_csv", "not_a_plan", b"\x03" + bytes(range(256)))


if __name__ == "__main__":
    channel_plans()
    data_files()
    lang_files()
    settings_files()
    codec_inputs()
    transfers()
