#include "model/failurereport.h"
#include "model/playconfig.h"
#include "model/playfilereader.h"
#include "model/playfilewriter.h"

// The file order differs from the declaration order: x and y alternate per item, and
// ActivePlyr follows the players.

namespace kinetra {

bool PlayConfig::FileInput(PlayFileReader &reader)
{
    try {
        for (int i = 0; i < kPlayersPerSide; ++i) {
            OPlayerX[i] = reader.readSingle();
            OPlayerY[i] = reader.readSingle();
        }
        for (int i = 0; i < kPlayersPerSide; ++i) {
            DPlayerX[i] = reader.readSingle();
            DPlayerY[i] = reader.readSingle();
        }
        ActivePlyr = reader.readInt16();
        for (int i = 0; i < kSymbolCount; ++i) {
            SYMBOLX[i] = reader.readSingle();
            SYMBOLY[i] = reader.readSingle();
        }
        for (int i = 0; i < kTextLabelCount; ++i) {
            TxtSYMBOLX[i] = reader.readSingle();
            TxtSYMBOLY[i] = reader.readSingle();
            TxtValue[i] = reader.readText();
        }
        for (int k = 0; k < kActionCount; ++k) {
            ActionSX[k] = reader.readSingle();
            ActionSY[k] = reader.readSingle();
            ActionEX[k] = reader.readSingle();
            ActionEY[k] = reader.readSingle();
        }
        return true;
    } catch (...) {
        reportFailure("Reading Play");
        return false;
    }
}

void PlayConfig::FileWrite(PlayFileWriter &writer) const
{
    try {
        for (int i = 0; i < kPlayersPerSide; ++i) {
            writer.writeSingle(OPlayerX[i]);
            writer.writeSingle(OPlayerY[i]);
        }
        for (int i = 0; i < kPlayersPerSide; ++i) {
            writer.writeSingle(DPlayerX[i]);
            writer.writeSingle(DPlayerY[i]);
        }
        writer.writeInt16(ActivePlyr);
        for (int i = 0; i < kSymbolCount; ++i) {
            writer.writeSingle(SYMBOLX[i]);
            writer.writeSingle(SYMBOLY[i]);
        }
        for (int i = 0; i < kTextLabelCount; ++i) {
            writer.writeSingle(TxtSYMBOLX[i]);
            writer.writeSingle(TxtSYMBOLY[i]);
            writer.writeText(TxtValue[i]);
        }
        for (int k = 0; k < kActionCount; ++k) {
            writer.writeSingle(ActionSX[k]);
            writer.writeSingle(ActionSY[k]);
            writer.writeSingle(ActionEX[k]);
            writer.writeSingle(ActionEY[k]);
        }
        writer.endRecord();
    } catch (...) {
        reportFailure("Saving Play");
    }
}

} // namespace kinetra
