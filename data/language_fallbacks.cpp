// The program's English texts, by number: what the program shows for every text that
// "lang.csv" does not supply (the file is missing, or older and shorter than the
// program). Kept equal to the English column of res/lang.csv; test_lang_file checks it.
#include "data/language_fallbacks.h"

namespace radio {

const std::vector<std::string>& EnglishTexts()
{
    static const std::vector<std::string> texts = {
        "Radio data",                                                  // #0
        "File(&F)",                                                    // #1
        "New(&N)",                                                     // #2
        "Open(&O)",                                                    // #3
        "Save(&S)",                                                    // #4
        "Save As(&A)",                                                 // #5
        "Print(&P)",                                                   // #6
        "Exit(&X)",                                                    // #7
        "Model(&M)",                                                   // #8
        "Model and band",                                              // #9
        "Edit(&E)",                                                    // #10
        "Channels",                                                    // #11
        "Optional features",                                           // #12
        "Key settings",                                                // #13
        "Scan settings",                                               // #14
        "On PTT press",                                                // #15
        "On PTT release",                                              // #16
        "Import",                                                      // #17
        "Export",                                                      // #18
        "Programming(&P)",                                             // #19
        "Read from radio(&R)",                                         // #20
        "Write to radio(&W)",                                          // #21
        "Clone",                                                       // #22
        "Compare",                                                     // #23
        "Restore defaults",                                            // #24
        "Settings(&S)",                                                // #25
        "COM port(&C)",                                                // #26
        "Language",                                                    // #27
        "View(&V)",                                                    // #28
        "Navigation bar(&N)",                                          // #29
        "Toolbar(&T)",                                                 // #30
        "Status bar(&S)",                                              // #31
        "Window(&W)",                                                  // #32
        "Cascade(&C)",                                                 // #33
        "Tile horizontally(&H)",                                       // #34
        "Tile vertically(&V)",                                         // #35
        "Arrange icons(&A)",                                           // #36
        "Close all windows(&L)",                                       // #37
        "Help(&H)",                                                    // #38
        "Help topics(&T)",                                             // #39
        "About radioprog",                                             // #40
        "Frequency",                                                   // #41
        "CH",                                                          // #42
        "RX Freq",                                                     // #43
        "TX Freq",                                                     // #44
        "RX Tone",                                                     // #45
        "TX Tone",                                                     // #46
        "Off",                                                         // #47
        "Bandwidth",                                                   // #48
        "Wide",                                                        // #49
        "Narrow",                                                      // #50
        "Power",                                                       // #51
        "Low",                                                         // #52
        "High",                                                        // #53
        "Scan add",                                                    // #54
        "On",                                                          // #55
        "Squelch",                                                     // #56
        "Step",                                                        // #57
        "Offset",                                                      // #58
        "DTMF codes",                                                  // #59
        "Off",                                                         // #60
        "On",                                                          // #61
        "Signalling",                                                  // #62
        "Compander",                                                   // #63
        "Busy lock",                                                   // #64
        "Scrambler",                                                   // #65
        "PTT ID",                                                      // #66
        "Tone",                                                        // #67
        "Delete channel",                                              // #68
        "Close",                                                       // #69
        "Clear all",                                                   // #70
        "OK",                                                          // #71
        "Cancel",                                                      // #72
        "Reset all channels and settings to defaults?",                // #73
        "Communication failed",                                        // #74
        "Done",                                                        // #75
        "Communication with the radio failed. Check cable and port.",  // #76
        "COM port",                                                    // #77
        "radioprog",                                                   // #78
        "Version 1.0",                                                 // #79
        "Copyright (C) 2026 radioprog developers",                     // #80
        "radioprog",                                                   // #81
        "Programming software for handheld radios",                    // #82
        "For Q71/Q72 radios with 16 or 32 channels",                   // #83
        "Reading from the radio...",                                   // #84
        "Writing to the radio...",                                     // #85
        "Reading...",                                                  // #86
        "Changing the band clears all channels. Go on?",               // #87
        "Writing...",                                                  // #88
        "Warning",                                                     // #89
        "Exit the program? Unsaved data will be lost.",                // #90
        "Exit",                                                        // #91
        "Frequency error",                                             // #92
        "Enter the receive frequency first",                           // #93
        "Data file",                                                   // #94
        "The frequency is outside the band.",                          // #95
        "Out of band",                                                 // #96
        "Radio band unknown; the data's band is used.",                // #97
        "Not connected",                                               // #98
        "TX time-out (s)",                                             // #99
        "Squelch level",                                               // #100
        "Volume level",                                                // #101
        "Audio response",                                              // #102
        "Standard",                                                    // #103
        "Battery save",                                                // #104
        "Deep",                                                        // #105
        "Normal",                                                      // #106
        "Key beep",                                                    // #107
        "Voice prompt",                                                // #108
        "Key lock",                                                    // #109
        "Auto key lock",                                               // #110
        "VOX",                                                         // #111
        "VOX on",                                                      // #112
        "VOX level",                                                   // #113
        "VOX delay (s)",                                               // #114
        "Headset only",                                                // #115
        "Inhibit on receive",                                          // #116
        "VOX beep",                                                    // #117
        "Scrambler",                                                   // #118
        "Scrambler on",                                                // #119
        "Send code",                                                   // #120
        "Code 1",                                                      // #121
        "Code 2",                                                      // #122
        "Code 1 and 2",                                                // #123
        "Keys",                                                        // #124
        "Side key",                                                    // #125
        "Monitor",                                                     // #126
        "Scan",                                                        // #127
        "Alarm",                                                       // #128
        "TX power",                                                    // #129
        "VOX on/off",                                                  // #130
        "Wide/Narrow",                                                 // #131
        "Scrambler on/off",                                            // #132
        "Talkaround",                                                  // #133
        "Battery level",                                               // #134
        "Key lock",                                                    // #135
        "Flashlight",                                                  // #136
        "Choose the side key's function",                              // #137
        "Scan",                                                        // #138
        "Priority",                                                    // #139
        "Fixed",                                                       // #140
        "Current",                                                     // #141
        "Priority channel",                                            // #142
        "Check interval (s)",                                          // #143
        "Hold time (s)",                                               // #144
        "Transmit on",                                                 // #145
        "Talkback",                                                    // #146
        "Resume time (s)",                                             // #147
        "Carrier hold (s)",                                            // #148
        "Channel number",                                              // #149
        "Band",                                                        // #150
        "Model",                                                       // #151
        "Port",                                                        // #152
        "Progress",                                                    // #153
        "Ready",                                                       // #154
        "Connecting...",                                               // #155
        "Connected",                                                   // #156
        "Read failed",                                                 // #157
        "Write failed",                                                // #158
        "Invalid frequency",                                           // #159
        "Invalid tone",                                                // #160
        "DCS",                                                         // #161
        "CTCSS",                                                       // #162
        "Normal",                                                      // #163
        "Inverted",                                                    // #164
        "Print preview",                                               // #165
        "Print setup",                                                 // #166
        "Page",                                                        // #167
        "Channel list",                                                // #168
        "Feature summary",                                             // #169
        "Default",                                                     // #170
        "Minimum",                                                     // #171
        "Maximum",                                                     // #172
        "Seconds",                                                     // #173
        "MHz",                                                         // #174
        "Yes",                                                         // #175
        "No",                                                          // #176
        "Retry",                                                       // #177
        "Ignore",                                                      // #178
        "Error",                                                       // #179
        "Information",                                                 // #180
        "Note",                                                        // #181
        "Save changes?",                                               // #182
        "Model:",                                                      // #183
        "32-channel",                                                  // #184
        "16-channel",                                                  // #185
        "Band:",                                                       // #186
        // #187
        "The radio reports %1 but the data is for %2. Writing data for another band or model can "
        "make the radio unusable. Write anyway?",
        "%3 channels at %1-%2 MHz",                                                      // #188
        "%1 is not a radio data file: it holds %2 bytes and a data file at least 940.",  // #189
        "%1 could not be opened: %2",                                                    // #190
        "%1 could not be saved: %2",                                                     // #191
        // #192
        "No serial device stands for %1. Connect the programming cable or choose another port in "
        "Settings.",
        // #193
        "%1 (%2) cannot be opened: permission denied. On Linux add your user to the dialout group "
        "(sudo usermod -aG dialout $USER) then log out and in again.",
        "%1 (%2) is in use by another program. Close that program and try again.",     // #194
        "%1 (%2) could not be opened: %3",                                             // #195
        "The port number %1 is not one of COM1 to COM10. Choose a port in Settings.",  // #196
        // #197
        "The radio does not answer. Check that it is switched on and that the cable is plugged in "
        "firmly.",
        "The radio refused to enter programming mode.",             // #198
        "The radio's answer was missing or wrong (%1).",            // #199
        "A read or write is running. Wait until it has finished.",  // #200
        "Enter a whole number from %1 to %2.",                      // #201
        "Enter a number from %1 to %2.",                            // #202
        "Enter at most %1 characters.",                             // #203
        "The help page %1 could not be found.",                     // #204
        "The printout could not be made.",                          // #205
        "%1 already exists. Replace it?",                           // #206
        "Print Preview(&V)",                                        // #207
        "Not a frequency: %1",                                      // #208
        // #209
        "lang.csv was not found: menus and windows show the built-in English texts.",
        // #210
        "Import Channels...(&I)",
        // #211
        "Export Channels...(&E)",
        // #212
        "Import Channels",
        // #213
        "%1 channels will be imported from %2. Channels that the file does not name become empty.",
        // #214
        "%1 rows are refused and will not be imported:",
        // #215
        "Row %1: %2",
        // #216
        "%1 value \"%2\" cannot be read",
        // #217
        "%1 MHz lies outside the band %2-%3 MHz",
        // #218
        "%1 MHz is not on the 5 kHz or 6.25 kHz channel raster",
        // #219
        "%1 %2 is not a tone this radio has",
        // #220
        "mode %1 is neither FM nor NFM",
        // #221
        "location %1 lies beyond the %2 channels of the data set",
        // #222
        "channel %1 is already given in row %2",
        // #223
        "%1 is not a CSV channel plan: it is not a UTF-8 text file.",
        // #224
        "%1 is not a CSV channel plan: the quoted field that begins in row %2 is never closed.",
        // #225
        "%1 is not a CSV channel plan: its first line does not name the columns Location and "
        "Frequency.",
        // #226
        "Recent Files(&F)",
        // #227
        "%1 is no longer there. It has been taken off the recent files.",
        // #228
        "Check of %1: %2",
        // #229
        "you may open it",
        // #230
        "you may not open it: it belongs to group %1 and you are not in that group; fix: sudo "
        "usermod -aG %1 $USER then log out and in again",
        // #231
        "you are in group %1 but this login is not yet; fix: log out and in again (or run newgrp "
        "%1)",
        // #232
        "only its owner %1 may open it (mode %2); fix: %3 (a change of mode lasts until it is "
        "plugged in again)",
        // #233
        "held by %1; fix: %2",
        // #234
        "%1 (process %2)",
        // #235
        "it may be held by a process of another user; sudo fuser -v %1 names it",
        // #236
        "no other process holds it",
        // #237
        "opens at 9600 8N2",
        // #238
        "does not open at 9600 8N2: %1",
        // #239
        "opens but does not keep 9600 8N2 (%1)",
        // #240
        "%1 does not exist; fix: connect the programming cable (sudo dmesg | tail shows whether "
        "the adapter was seen)",
        // #241
        "no USB adapter information",
        // #242
        "Verify after write(&V)",
        // #243
        "Write to several radios...(&S)",
        // #244
        "Open backup...(&B)",
        // #245
        "Verifying the radio...",
        // #246
        "Verify failed at %1: written %2 but the radio holds %3.",
        // #247
        "Everything was written but reading it back to verify it failed:",
        // #248
        "No backup was kept: %1 could not be saved (%2).",
        // #249
        "Write to several radios",
        // #250
        "Start(&S)",
        // #251
        "Close(&C)",
        // #252
        "Written",
        // #253
        "Written and verified",
        // #254
        "Failed: %1",
        // #255
        "Writing...",
        // #256
        "These radios report another band or model than the data (%2): %1. Writing data for "
        "another band or model can make a radio unusable. Write into them anyway?",
        // #257
        "Not written: another band or model",
        // #258
        "Channel %1 %2 %3",
        // #259
        "Channel %1 %2 emptied",
        // #260
        "receive frequency",
        // #261
        "transmit frequency",
        // #262
        "receive tone",
        // #263
        "transmit tone",
        // #264
        "bandwidth",
        // #265
        "power",
        // #266
        "scan add",
        // #267
        "busy lock",
        // #268
        "%1 changed",
        // #269
        "Paste %1 channels",
        // #270
        "Cut %1 channels",
        // #271
        "Delete %1 channels",
        // #272
        "&Undo",
        // #273
        "&Undo %1",
        // #274
        "&Redo",
        // #275
        "&Redo %1",
        // #276
        "Cu&t",
        // #277
        "&Copy",
        // #278
        "&Paste",
        // #279
        "&Delete",
        // #280
        "The data has changed. Save the changes?",
        // #281
        "%1 of the pasted frequencies lie outside the band %2-%3 MHz. Paste anyway?",
        // #282
        "Nothing was pasted: line %1 column %2 \"%3\" is not a frequency.",
        // #283
        "Nothing was pasted: line %1 column %2 \"%3\" is not a tone of the list.",
        // #284
        "Nothing was pasted: line %1 column %2 \"%3\" is not one of the column's choices.",
        // #285
        "Nothing was pasted: %1 lines do not fit; from channel %2 down there are %3 channels.",
        // #286
        "%1 is not a data file of this radio: the block of address %2 carries the address %3.",
        // #287
        "%1 is not a data file of this radio: its band %2-%3 MHz is none of the radio's bands.",
        // #288
        "it is a folder and not a regular file",
        // #289
        "it is a FIFO and not a regular file",
        // #290
        "it is a device and not a regular file",
        // #291
        "it is not a regular file",
        // #292
        "Not a frequency of the band %2-%3 MHz: %1",
        // #293
        "More digits than the radio keeps (10 Hz): %1",
        // #294
        "Not on the channel raster of 5 kHz and 6.25 kHz: %1; the nearest are %2 and %3",
        // #295
        "Nothing was pasted: line %1 column %2: %3",
        // #296
        "Not a tone of the list: %1",
        // #297
        "you may not open it: it belongs to group %1 which gives far more than this port; fix: %2 "
        "(a change of group lasts until it is plugged in again)",
        // #298
        "%1 then log out and in again",
        // #299
        "held by %1: this program or one that started it; close the port there",
        // #300
        "%1 is the terminal this program runs in and not a programming cable",
        // #301
        "not saved",
        // #302
        "%1 (changes not saved)",
        // #303
        "The cable sends back every byte it is given (an echoing cable) so the radio cannot be "
        "programmed through it. Use a programming cable that does not echo.",
        // #304
        "The radio's identity %1 is not one this program can decode; the band and model stay %2.",
        // #305
        "Nothing was pasted: line %1 has %2 columns; from the current column on the table has %3.",
        // #306
        "Nothing was pasted: line %1 column %2 \"%3\" goes into channel %4 which has no receive "
        "frequency.",
        // #307
        "lang.csv has no language column %1: menus and windows show the built-in English texts.",
        // #308
        "lang.csv is UTF-16 text and not UTF-8: menus and windows show the built-in English texts.",
        // #309
        "lang.csv is no language table (it holds binary data): menus and windows show the built-in "
        "English texts.",
        // #310
        "entry code",
        // #311
        "identity",
        // #312
        "end byte",
        // #313
        "block %1",
        // #314
        "block %1 quarter %2",
        // #315
        "Enter a whole number from %1 to %2 in steps of %3.",
        // #316
        "Enter a number from %1 to %2 in steps of %3.",
        // #317
        "Channel %1 holds no frequency; choose a channel in use.",
        // #318
        "%1 set to %2",
        // #319
        "&Insert empty channel here",
        // #320
        "Delete channel and close the &gap",
        // #321
        "Mo&ve up",
        // #322
        "Move do&wn",
        // #323
        "&Sort by receive frequency",
        // #324
        "&Fill frequencies...",
        // #325
        "Fi&nd...",
        // #326
        "Set for se&lected channels...",
        // #327
        "Channel %1 is programmed: an empty channel inserted here would push it off the end of the table. Delete or move it first.",
        // #328
        "Step:",
        // #329
        "%1 of the channels to fill are programmed. Give them new frequencies?",
        // #330
        "The frequency %1 lies outside the band %2-%3 MHz: no channel was filled.",
        // #331
        "Frequency or tone:",
        // #332
        "No channel has %1.",
        // #333
        "\"%1\" is neither a frequency nor a tone.",
        // #334
        "(unchanged)",
        // #335
        "None of the selected channels is programmed: there is nothing to set.",
        // #336
        "From channel %1 (%2)",
    };
    return texts;
}

}  // namespace radio
