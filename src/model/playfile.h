#pragma once

#include "model/framelist.h"
#include "model/playconfig.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kinetra {

/// Edition tag of this program's play files.
inline constexpr std::string_view kPlayFileTag = "DAZI";
/// Version text this program writes into its play files.
inline constexpr std::string_view kPlayFileVersion = "1.4";

constexpr int kLabelLines = 10;

/// The eight items of a play file's header line, as read.
struct PlayFileHeader
{
    int16_t frameCount = 0;
    std::string tag;
    std::string version;
    std::string title;
    std::string date; ///< "MM-DD-YYYY"
    std::string time; ///< "HH:MM:SS"
    std::string notes;
    /// Field picture index as stored; files written by the program hold 0..3, but a value
    /// read from a file is passed on unchecked for the caller to fall back from.
    int16_t Picbkg = 0;
};

/// The look of one action line (ActionLabel, ActionType, ActionSize, ActionColor,
/// ActionEndType of the preference record).
struct ActionLook
{
    std::string label;
    int16_t type = 0;
    int16_t size = 0;
    int32_t color = 0;
    int16_t endType = 0;

    bool operator==(const ActionLook &) const = default;
};
using ActionLooks = std::array<ActionLook, kActionCount>;

/// Player labels: offence[i] and defence[i] share the i-th label line of the file.
struct PlayerLabels
{
    std::array<std::string, kLabelLines> offense;
    std::array<std::string, kLabelLines> defense;

    bool operator==(const PlayerLabels &) const = default;
};

/// What a play looks like, as its file carries it: the field picture, the action-line looks
/// and the player labels. A play owns its looks; a new play starts from the user's.
struct PlayLooks
{
    /// Field picture index; a value read from a file is passed on unchecked (see PlayFileHeader).
    int16_t Picbkg = 0;
    ActionLooks actions;
    PlayerLabels labels;

    bool operator==(const PlayLooks &) const = default;
};

/// Everything a play file carries, as one value: the header texts as the file holds them, the
/// field picture, the action-line looks, the frames and the player labels. Saving, recovery
/// copies, export, printing and the playbook all take the play as one of these, made once and
/// then only read.
struct PlaySnapshot
{
    std::string title;
    std::string date; ///< "MM-DD-YYYY"
    std::string time; ///< "HH:MM:SS"
    std::string notes;
    PlayLooks looks;
    FrameList frames;
    /// What the file held after the labels (and after our blocks) that is not ours, as its
    /// own bytes, unchanged: written back after the blocks. Empty when only blanks followed.
    std::string trailingText;
};

/// How reading a play ended.
enum class PlayReadStatus {
    Opened,            ///< everything read: take it all, the file is the play's file
    OpenedWithFailure, ///< header taken, then reading stopped: take what the result says
    NotOpened,         ///< file or header unreadable: keep the current play as it is
    Refused,           ///< another edition's file (or none): show refusalMessage, keep the play
};

/// Result of reading a play. After Opened or OpenedWithFailure, the header texts, Picbkg and the
/// frames of `play` are always taken (the list holds frameCount frames, 1..32767; frames not
/// reached are new, empty records); action lines 0..actionLinesTaken-1, the first
/// partialActionItems items of the line after them (see takeActionLooks) and label lines
/// 0..labelLinesTaken-1 are taken, the others keep the caller's current values.
struct PlayReadResult
{
    PlayReadStatus status = PlayReadStatus::NotOpened;
    int failureCode = 0;        ///< run-time error that stopped the reading, 0 if none
    std::string refusalMessage; ///< the exact message for a Refused file
    bool headerTaken = false;
    int actionLinesTaken = 0;   ///< includes a line read whole whose values were invalid
    int partialActionItems = 0; ///< items (0..4) of the line a bad item cut short
    int framesRead = 0;         ///< frame lines read, failed ones (already reported) included
    int labelLinesTaken = 0;
    /// NotOpened because the header gives no frames (below 1, in frameCount).
    bool noFrames = false;
    int16_t frameCount = 0; ///< the header's frame count, once read
    std::string version;    ///< the header's version text, once the header is taken
    PlaySnapshot play;
};

/// Takes the action-line looks that `read` holds over into `looks`: the lines read whole and
/// the items read before a bad one; the other items keep their values.
void takeActionLooks(const PlayReadResult &read, ActionLooks &looks);

/// The looks of a play as opened from `read`, starting from `defaults` (the user's): a field
/// picture index outside 0..3 becomes 0 (there are four field pictures), the action-line
/// looks read whole or in part replace the defaults' (see takeActionLooks), and so do the
/// player labels of the label lines read.
PlayLooks openedLooks(const PlayReadResult &read, const PlayLooks &defaults);

/// Reads a play from the bytes of a play file. Frame lines that fail are reported by
/// PlayConfig::FileInput and reading goes on with the next line; any other failure stops the
/// reading. A header frame count below 1 is a failure before the header is taken. When the
/// label lines come where the header promised more frames, that is reported once (62, as for
/// a file cut short), the frames not in the file stay empty and the labels are read. A label
/// item that is not a quoted text (a frame line the header did not count) is a Type mismatch
/// (13) that stops the reading.
/// After the labels, the line block (further action lines and bend points, see formatPlay) is
/// read when what follows begins with its tag. Every record is checked before it is taken: a
/// block cut short is a failure 62, an item of the wrong type or a record with an item too
/// many 13, a value out of range or out of order 9: a record for a kind whose first line (in
/// the frame line) is not on the surface, and a point that drawing cannot take (outside
/// -32768..32767 once rounded), are out of range. The records before the failing one are
/// kept, so every frame's ActionPaths stay well formed. Then the caption block (see
/// formatPlay) is read when what follows begins with its tag, checked alike: cut short 62, a
/// number for the caption, a caption not quoted or an item too many 13, a frame number outside
/// 1..frame count or not above the one before, or more records than frames, 9; the captions
/// before the failing record are kept. A caption read is taken as oneLineCaption makes it.
/// Whatever else follows the labels, or the last block's last record, is not ours: it goes
/// unread into play.trailingText.
PlayReadResult readPlay(std::string_view bytes);

/// Reads a play from `in`, as readPlay(bytes) does.
PlayReadResult readPlay(PlayFileReader &in);

/// Reads the play file at `path` piece by piece, so the whole file is never held in memory
/// (a file that cannot be opened gives NotOpened).
PlayReadResult readPlayFile(const std::string &path);

/// Reads the header line only, into `header`; the field that fails and those after it keep
/// the values they had. Returns false when the header could not be read whole.
bool readPlayHeader(std::string_view bytes, PlayFileHeader &header);

/// Header of the play file at `path`, reading little more of the file than the header.
bool readPlayHeaderFile(const std::string &path, PlayFileHeader &header);

/// Result of a save: errorCode 0 when the file was written and replaced the old one.
struct PlaySaveResult
{
    int errorCode = 0;
    std::string description;

    bool ok() const { return errorCode == 0; }
};

/// The bytes of a play file: header, 8 action lines, the frames, 10 label lines and, only when
/// some frame has ActionPaths, the line block, which readers of the plain layout never reach:
///
///     "KINETRA-LINES",1,<records>
///     <frame>,<kind>,<slot>,<bends>[,<sx>,<sy>,<ex>,<ey>],<x1>,<y1>,...,<xn>,<yn>
///
/// one record per ActionPaths entry, in frame order and then by id; start and end only from
/// slot 1 on (the first line's are in the frame line); numbers in plain decimal, never with an
/// exponent. Then, only when some frame has a Caption, the caption block:
///
///     "KINETRA-CAPTIONS",1,<records>
///     <frame>,<caption>
///
/// one record per frame with a caption, in frame order, the caption a quoted text like every
/// other (Windows-1252, a double quote written as a single one). Then play.trailingText, as
/// it is. Frame lines that fail are reported by
/// PlayConfig::FileWrite; writing goes on.
std::string formatPlay(const PlaySnapshot &play);

/// Writes the play to `path` through a temporary file in the same folder that replaces the
/// file only when everything has been written and flushed; after a failure the previous
/// file is untouched and the result carries the run-time error code and description.
PlaySaveResult writePlay(const std::string &path, const PlaySnapshot &play);

/// What reading a text item back from a saved play gives for `utf8`: the text as the file
/// holds it, with each double quote turned into a single quote and characters outside
/// Windows-1252 into "?".
std::string textAsSaved(std::string_view utf8);

/// "MM-DD-YYYY", the form of the header's date.
std::string formatPlayDate(int year, int month, int day);

/// "HH:MM:SS" on the 24-hour clock, the form of the header's time.
std::string formatPlayTime(int hour, int minute, int second);

/// Sport of a play-file edition tag ("KTRH" Hockey ... "DAZI" Baseball), "Unknown" otherwise.
std::string editionName(std::string_view tag);

/// The message refusing a file of another edition (or of none).
std::string refusalMessage(std::string_view tag, std::string_view version);

/// The message after a failure while reading `path`.
std::string loadErrorMessage(const std::string &path);

/// The message after a failure while saving `path`.
std::string saveErrorMessage(const std::string &path, const PlaySaveResult &result);

} // namespace kinetra
