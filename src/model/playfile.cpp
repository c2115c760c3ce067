#include "model/playfile.h"

#include "model/atomicfile.h"
#include "model/failurereport.h"
#include "model/inputfile.h"
#include "model/playfilereader.h"
#include "model/playfilewriter.h"
#include "model/rounding.h"
#include "model/runtimeerror.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

namespace kinetra {

namespace {

// The eight header items, for a reader positioned at the start of the file.
void readHeaderItems(PlayFileReader &in, PlayFileHeader &header)
{
    header.frameCount = in.readInt16();
    header.tag = in.readText();
    header.version = in.readText();
    header.title = in.readText();
    header.date = in.readText();
    header.time = in.readText();
    header.notes = in.readText();
    header.Picbkg = in.readInt16();
}

// The block after the labels that carries every action line beyond the first of each kind
// and every bend point. A reader of the plain layout stops after the labels and never sees it.
//
//   "KINETRA-LINES",<version>,<records>
//   <frame>,<kind>,<slot>,<bends>[,<sx>,<sy>,<ex>,<ey>],<x1>,<y1>,...,<xn>,<yn>
//
// One record per ActionPaths entry, in frame order and then in id order; the start and end
// are only in records of slot 1 on (the first line's are in the frame line).
constexpr std::string_view kLinesTag = "KINETRA-LINES";
constexpr int16_t kLinesVersion = 1;

bool hasLineBlock(const FrameList &frames)
{
    for (int i = 1; i <= frames.count(); ++i)
        if (!frames.frame(int16_t(i)).ActionPaths.empty())
            return true;
    return false;
}

template <typename Flush>
void emitLineBlock(const FrameList &frames, PlayFileWriter &out, Flush flush)
{
    int32_t records = 0;
    for (int i = 1; i <= frames.count(); ++i)
        records += int32_t(frames.frame(int16_t(i)).ActionPaths.size());
    out.writeText(kLinesTag);
    out.writeInt16(kLinesVersion);
    out.writeInt32(records);
    out.endRecord();
    auto writePoint = [&out](LinePoint p) {
        out.writeDecimal(p.x);
        out.writeDecimal(p.y);
    };
    for (int i = 1; i <= frames.count(); ++i) {
        for (const ActionPath &path : frames.frame(int16_t(i)).ActionPaths) {
            out.writeInt16(int16_t(i));
            out.writeInt16(path.id.kind);
            out.writeInt16(path.id.slot);
            out.writeInt16(int16_t(path.bends.size()));
            if (path.id.slot > 0) {
                writePoint(path.start);
                writePoint(path.end);
            }
            for (LinePoint bend : path.bends)
                writePoint(bend);
            out.endRecord();
        }
        flush();
    }
}

// Reads the items of one record after its first: a line end before them means the record was
// cut short, and the record's last item must end its line.
class RecordReader
{
public:
    explicit RecordReader(PlayFileReader &in) : m_in(in) {}

    int32_t integer(int32_t low, int32_t high)
    {
        within();
        const int32_t value = m_in.readInt32();
        if (value < low || value > high)
            throw RuntimeError(ErrorCode::SubscriptOutOfRange);
        return value;
    }

    // A point drawing can take, as the frame's own items are when they are drawn.
    LinePoint point()
    {
        LinePoint p;
        within();
        p.x = m_in.readSingle();
        within();
        p.y = m_in.readSingle();
        if (!fitsInt16(p.x) || !fitsInt16(p.y))
            throw RuntimeError(ErrorCode::SubscriptOutOfRange);
        return p;
    }

    std::string quotedText()
    {
        within();
        return m_in.readQuotedText();
    }

    // After the record's last item: anything more on its line is stray.
    void end()
    {
        if (!m_in.lineEnded() && !m_in.atEnd())
            throw RuntimeError(ErrorCode::TypeMismatch);
    }

private:
    void within()
    {
        if (m_in.lineEnded())
            throw RuntimeError(m_in.atEnd() ? ErrorCode::InputPastEndOfFile
                                            : ErrorCode::TypeMismatch);
    }

    PlayFileReader &m_in;
};

bool onSurface(LinePoint start, LinePoint end)
{
    return start.x > 0.5f && end.x > 0.5f;
}

// Reads the block after its tag into the frames, checking every record before it is taken, so
// the frames always hold well-formed ActionPaths, also when a later record fails. A frame's
// records are gathered first and handed over together, one allocation per frame.
void readLineBlock(PlayFileReader &in, FrameList &frames)
{
    RecordReader record(in);
    record.integer(kLinesVersion, kLinesVersion);
    const int32_t records = record.integer(0, int32_t(frames.count()) * kMaxLinesInFrame);
    record.end();
    std::vector<ActionPath> gathered;
    int32_t frameNo = 0;
    int linesInFrame = 0;
    const PlayConfig *frame = nullptr;
    auto handOver = [&] {
        if (gathered.empty())
            return;
        std::vector<ActionPath> &paths = frames.frame(int16_t(frameNo)).ActionPaths;
        paths.assign(std::make_move_iterator(gathered.begin()),
                     std::make_move_iterator(gathered.end()));
        gathered.clear();
    };
    try {
        for (int32_t r = 0; r < records; ++r) {
            const int32_t n = in.readInt32();
            if (n < std::max(frameNo, 1) || n > frames.count())
                throw RuntimeError(ErrorCode::SubscriptOutOfRange);
            if (n != frameNo) {
                handOver();
                frameNo = n;
                linesInFrame = 0;
                frame = &frames.frame(int16_t(n));
                for (int k = 0; k < kActionCount; ++k)
                    linesInFrame += frame->hasActionLine(k);
            }
            ActionPath path;
            path.id.kind = int16_t(record.integer(0, kActionCount - 1));
            // A reader of the plain layout sees only the kind's first line: without it, it
            // would see none of the kind's lines.
            if (!frame->hasActionLine(path.id.kind))
                throw RuntimeError(ErrorCode::SubscriptOutOfRange);
            path.id.slot = int16_t(record.integer(0, kMaxLinesInFrame - 1));
            const int bends = record.integer(0, kMaxBends);
            const ActionPath *last = gathered.empty() ? nullptr : &gathered.back();
            const bool sameKind = last && last->id.kind == path.id.kind;
            const int16_t next = sameKind ? int16_t(last->id.slot + 1) : int16_t(1);
            // Ids strictly increase; further lines take slots 1, 2, .. without gaps.
            if ((last && !(last->id < path.id)) || (path.id.slot > 0 && path.id.slot != next)
                || (path.id.slot == 0 && bends == 0))
                throw RuntimeError(ErrorCode::SubscriptOutOfRange);
            if (path.id.slot > 0) {
                path.start = record.point();
                path.end = record.point();
            }
            path.bends.resize(size_t(bends));
            for (LinePoint &bend : path.bends)
                bend = record.point();
            record.end();
            if (path.id.slot > 0 && onSurface(path.start, path.end)
                && ++linesInFrame > kMaxLinesInFrame)
                throw RuntimeError(ErrorCode::SubscriptOutOfRange);
            gathered.push_back(std::move(path));
        }
    } catch (...) {
        handOver();
        throw;
    }
    handOver();
}

// The block after the labels (and after the line block) that carries the frames' captions:
//
//   "KINETRA-CAPTIONS",<version>,<records>
//   <frame>,<caption>
//
// one record per frame with a caption, in frame order, the caption a quoted text.
constexpr std::string_view kCaptionsTag = "KINETRA-CAPTIONS";
constexpr int16_t kCaptionsVersion = 1;

int32_t captionCount(const FrameList &frames)
{
    int32_t count = 0;
    for (int i = 1; i <= frames.count(); ++i)
        count += !frames.frame(int16_t(i)).Caption.empty();
    return count;
}

void emitCaptionBlock(const FrameList &frames, int32_t count, PlayFileWriter &out)
{
    out.writeText(kCaptionsTag);
    out.writeInt16(kCaptionsVersion);
    out.writeInt32(count);
    out.endRecord();
    for (int i = 1; i <= frames.count(); ++i) {
        const std::string &caption = frames.frame(int16_t(i)).Caption;
        if (caption.empty())
            continue;
        out.writeInt16(int16_t(i));
        // Held as one line already; a caption set past that rule still stays on its record.
        out.writeText(oneLineCaption(caption));
        out.endRecord();
    }
}

// Reads the block after its tag. Each record is checked whole before its caption is taken, so
// a damaged record leaves the captions before it.
void readCaptionBlock(PlayFileReader &in, FrameList &frames)
{
    RecordReader record(in);
    record.integer(kCaptionsVersion, kCaptionsVersion);
    const int32_t records = record.integer(0, frames.count());
    record.end();
    int32_t last = 0;
    for (int32_t r = 0; r < records; ++r) {
        const int32_t n = in.readInt32();
        if (n <= last || n > frames.count())
            throw RuntimeError(ErrorCode::SubscriptOutOfRange);
        std::string caption = record.quotedText();
        record.end();
        frames.frame(int16_t(n)).Caption = oneLineCaption(caption);
        last = n;
    }
}

// After the labels, or after our blocks: what follows that is not ours, kept as it is so
// the next save writes it back. Blanks and empty lines alone are nothing.
std::string textNotOurs(PlayFileReader &in)
{
    return in.atEnd() ? std::string() : in.readRest();
}

bool isValidLook(const ActionLook &look)
{
    return look.size >= 1 && look.size <= 6 && look.type <= 5;
}

// Writes the whole play, calling `flush` after every frame so a caller can pass the bytes on.
template <typename Flush>
void emitPlay(const PlaySnapshot &play, PlayFileWriter &out, Flush flush)
{
    out.writeInt16(play.frames.count());
    out.writeText(kPlayFileTag);
    out.writeText(kPlayFileVersion);
    out.writeText(play.title);
    out.writeText(play.date);
    out.writeText(play.time);
    out.writeText(play.notes);
    out.writeInt16(play.looks.Picbkg);
    out.endRecord();
    for (const ActionLook &look : play.looks.actions) {
        out.writeText(look.label);
        out.writeInt16(look.type);
        out.writeInt16(look.size);
        out.writeInt32(look.color);
        out.writeInt16(look.endType);
        out.endRecord();
    }
    for (int i = 1; i <= play.frames.count(); ++i) {
        play.frames.frame(int16_t(i)).FileWrite(out);
        flush();
    }
    for (int i = 0; i < kLabelLines; ++i) {
        out.writeText(play.looks.labels.offense[i]);
        out.writeText(play.looks.labels.defense[i]);
        out.endRecord();
    }
    if (hasLineBlock(play.frames))
        emitLineBlock(play.frames, out, flush);
    if (const int32_t captions = captionCount(play.frames))
        emitCaptionBlock(play.frames, captions, out);
    out.writeBytes(play.trailingText);
}

} // namespace

PlayReadResult readPlay(PlayFileReader &in)
{
    PlayReadResult result;
    PlayFileHeader header;
    try {
        readHeaderItems(in, header);
    } catch (...) {
        result.failureCode = currentFailure().code();
        return result;
    }
    if (header.tag != kPlayFileTag) {
        result.status = PlayReadStatus::Refused;
        result.refusalMessage = refusalMessage(header.tag, header.version);
        return result;
    }
    // The frame list can only hold 1..32767 frames; a larger count already overflowed above.
    if (header.frameCount < 1) {
        result.failureCode = ErrorCode::Overflow;
        result.noFrames = true;
        result.frameCount = header.frameCount;
        return result;
    }

    PlaySnapshot &play = result.play;
    try {
        play.frames.resize(header.frameCount);
    } catch (...) {
        result.failureCode = currentFailure().code();
        return result;
    }
    result.frameCount = header.frameCount;
    result.version = std::move(header.version);
    play.title = std::move(header.title);
    play.date = std::move(header.date);
    play.time = std::move(header.time);
    play.notes = std::move(header.notes);
    play.looks.Picbkg = header.Picbkg;
    result.headerTaken = true;
    result.status = PlayReadStatus::OpenedWithFailure;
    try {
        // Each item goes straight into its look, so a bad item keeps those read before it.
        for (ActionLook &look : play.looks.actions) {
            look.label = in.readText();
            ++result.partialActionItems;
            look.type = in.readInt16();
            ++result.partialActionItems;
            look.size = in.readInt16();
            ++result.partialActionItems;
            look.color = in.readInt32();
            ++result.partialActionItems;
            look.endType = in.readInt16();
            result.partialActionItems = 0;
            ++result.actionLinesTaken;
            if (!isValidLook(look))
                throw RuntimeError(ErrorCode::InvalidPropertyValue);
        }
        for (int i = 1; i <= play.frames.count(); ++i) {
            // A frame line starts with a number; a text there is the first label line, so
            // the header promised more frames than the file holds. That is one failure, like
            // a file cut short, and the labels are still read.
            if (in.nextIsText()) {
                try {
                    throw RuntimeError(ErrorCode::InputPastEndOfFile);
                } catch (...) {
                    reportFailure("Reading Play");
                }
                result.failureCode = ErrorCode::InputPastEndOfFile;
                break;
            }
            const bool ok = play.frames.frame(int16_t(i)).FileInput(in);
            ++result.framesRead;
            if (!ok) {
                // A truncated file would otherwise report every missing frame on its own.
                if (in.atEnd())
                    throw RuntimeError(ErrorCode::InputPastEndOfFile);
                in.skipRestOfLine();
            }
        }
        // Labels are always written quoted. A number here is a frame line the header did not
        // count: the file is damaged, and its numbers must not become player labels.
        for (int i = 0; i < kLabelLines; ++i) {
            std::string offense = in.readQuotedText();
            std::string defense = in.readQuotedText();
            play.looks.labels.offense[i] = std::move(offense);
            play.looks.labels.defense[i] = std::move(defense);
            ++result.labelLinesTaken;
        }
        if (!in.atEnd() && in.nextIsText(kLinesTag)) {
            in.readQuotedText();
            readLineBlock(in, play.frames);
        }
        if (!in.atEnd() && in.nextIsText(kCaptionsTag)) {
            in.readQuotedText();
            readCaptionBlock(in, play.frames);
        }
        play.trailingText = textNotOurs(in);
        if (result.failureCode == 0)
            result.status = PlayReadStatus::Opened;
    } catch (...) {
        result.failureCode = currentFailure().code();
    }
    return result;
}

void takeActionLooks(const PlayReadResult &read, ActionLooks &looks)
{
    for (int k = 0; k < read.actionLinesTaken && k < kActionCount; ++k)
        looks[size_t(k)] = read.play.looks.actions[size_t(k)];
    if (read.actionLinesTaken >= kActionCount)
        return;
    const ActionLook &cut = read.play.looks.actions[size_t(read.actionLinesTaken)];
    ActionLook &look = looks[size_t(read.actionLinesTaken)];
    const int items = read.partialActionItems;
    if (items > 0)
        look.label = cut.label;
    if (items > 1)
        look.type = cut.type;
    if (items > 2)
        look.size = cut.size;
    if (items > 3)
        look.color = cut.color;
}

PlayLooks openedLooks(const PlayReadResult &read, const PlayLooks &defaults)
{
    PlayLooks looks = defaults;
    const int16_t picbkg = read.play.looks.Picbkg;
    looks.Picbkg = picbkg >= 0 && picbkg <= 3 ? picbkg : 0;
    takeActionLooks(read, looks.actions);
    for (int i = 0; i < read.labelLinesTaken && i < kLabelLines; ++i) {
        looks.labels.offense[size_t(i)] = read.play.looks.labels.offense[size_t(i)];
        looks.labels.defense[size_t(i)] = read.play.looks.labels.defense[size_t(i)];
    }
    return looks;
}

PlayReadResult readPlay(std::string_view bytes)
{
    PlayFileReader in(bytes);
    return readPlay(in);
}

PlayReadResult readPlayFile(const std::string &path)
{
    try {
        InputFile file(path);
        PlayFileReader in([&file](char *data, size_t capacity) {
            return file.read(data, capacity);
        });
        return readPlay(in);
    } catch (...) {
        PlayReadResult result;
        result.failureCode = currentFailure().code();
        return result;
    }
}

bool readPlayHeader(std::string_view bytes, PlayFileHeader &header)
{
    PlayFileReader in(bytes);
    try {
        readHeaderItems(in, header);
        return true;
    } catch (...) {
        return false;
    }
}

bool readPlayHeaderFile(const std::string &path, PlayFileHeader &header)
{
    try {
        InputFile file(path);
        // Small pieces: the header is usually a few dozen bytes, unless the notes are long.
        PlayFileReader in(
            [&file](char *data, size_t capacity) { return file.read(data, capacity); }, 4096);
        readHeaderItems(in, header);
        return true;
    } catch (...) {
        return false;
    }
}

std::string formatPlay(const PlaySnapshot &play)
{
    PlayFileWriter out;
    emitPlay(play, out, [] {});
    return out.takeBytes();
}

PlaySaveResult writePlay(const std::string &path, const PlaySnapshot &play)
{
    constexpr size_t kChunk = 1 << 20;
    try {
        AtomicFile file(path);
        file.open();
        PlayFileWriter out;
        emitPlay(play, out, [&] {
            if (out.bytes().size() >= kChunk)
                file.write(out.takeBytes());
        });
        file.write(out.bytes());
        file.commit();
        return {};
    } catch (...) {
        const RuntimeError failure = currentFailure();
        return {failure.code(), failure.description()};
    }
}

std::string textAsSaved(std::string_view utf8)
{
    PlayFileWriter out;
    out.writeText(utf8);
    PlayFileReader in(out.bytes());
    return in.readText();
}

std::string formatPlayDate(int year, int month, int day)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", month, day, year);
    return text;
}

std::string formatPlayTime(int hour, int minute, int second)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
}

std::string editionName(std::string_view tag)
{
    if (tag == "KTRH") return "Hockey";
    if (tag == "KTRK") return "Basketball";
    if (tag == "DAZI") return "Baseball";
    if (tag == "KTRS") return "Soccer";
    if (tag == "KTRL") return "Lacrosse";
    if (tag == "KTRF") return "Football";
    if (tag == "KTRV") return "Volleyball";
    return "Unknown";
}

std::string refusalMessage(std::string_view tag, std::string_view version)
{
    const std::string name = editionName(tag);
    if (name == "Unknown")
        return "Error : File is not a Kinetra Play file.";
    return "Error : File is Kinetra " + name + " Play file." + "V" + std::string(version) + "."
           + "\n" + "Program Version maybe incompatible.";
}

std::string loadErrorMessage(const std::string &path)
{
    return "Error loading file " + path + "." + "\n"
           + "Play may cause unpredictable errors - close and open another play.";
}

std::string saveErrorMessage(const std::string &path, const PlaySaveResult &result)
{
    return "Error saving file " + path + "." + "\n" + std::to_string(result.errorCode) + " : "
           + result.description;
}

} // namespace kinetra
