#include "model/setmodetexts.h"

#include <QTest>
#include <array>
#include <set>

using namespace n35;
using namespace Qt::Literals::StringLiterals;

namespace
{

using enum OptionGroup;
constexpr Language En = Language::English;
constexpr Language Ja = Language::Japanese;

const SetModeOption &Option(OptionGroup group, int index)
{
    const SetModeOption *option = FindOption({group, index});
    if (!option)
        qFatal("no option %d/%d", int(group), index);
    return *option;
}

} // namespace

class TestSetModeTexts : public QObject
{
    Q_OBJECT

private slots:
    // Frame by frame, the controls in row order with their number of options.
    void layoutAndListSizes()
    {
        const std::pair<OptionFrame, QString> frames[] = {
            {OptionFrame::ScreenDisplay,
             u"Display_0:2 Display_1:9 Display_2:5 Display_3:10 Display_4:2 Display_5:4"_s},
            {OptionFrame::PowerBattery, u"Power_0:7 Power_1:6 Power_2:2"_s},
            {OptionFrame::Transmitter,
             u"Send_0:3 Send_1:8 Send_2:16 Send_3:16 Send_4:2 Send_5:6 Send_13:4 Send_9:2"_s},
            {OptionFrame::Repeater, u"Repeater_0:2 Repeater_3:2"_s},
            {OptionFrame::Receiver, u"Recv_0:2 Recv_1:2 Recv_2:3 Recv_3:2 Recv_4:2 Preset:2 Recv_5:2"_s},
            {OptionFrame::Scanning,
             u"Scan_0:40 Scan_1:2 Scan_2:12 Scan_3:26 Scan_4:26 Scan_5:26 Scan_6:26 Scan_7:26 Scan_8:2 Scan_9:2"_s},
            {OptionFrame::Sound, u"Sound_0:5 Sound_1:4 Sound_2:2"_s},
            {OptionFrame::KeyAssignment, u"Key_0:7 Key_1:2 Key_2:2 Key_3:4 Key_4:2 Key_5:4 Key_6:45 Key_7:45 "
                                         u"Key_12:11 Key_8:2 Key_9:3 Key_10:2 Key_11:4"_s},
            {OptionFrame::Memory, u"Mem_0:3"_s},
            {OptionFrame::ChDisplayMode, u"Combo1:2"_s},
            {OptionFrame::BugDetector, u"Toutyou_0:2 Toutyou_1:5"_s},
            {OptionFrame::CommonSetting,
             u"Display_6:3 Display_7:2 Display_8:2 Display_9:2 Display_10:2 Display_11:0 Display_12:0 "
             u"Display_13:62 Display_14:2 Display_15:3 Send_6:2 Send_7:2 Send_8:5 Sound_3:4 Sound_4:21 "
             u"Sound_5:21 Send_10:3 Send_11:3 Send_12:2 Recv_6:10 Recv_7:10"_s},
        };
        QStringList rows;
        QStringList expected;
        std::set<OptionId> ids;
        for (const SetModeOption &option : SetModeOptions()) {
            QVERIFY(ids.insert(option.id).second);
            // A Japanese list is kept only where it differs, and then entry for entry.
            QVERIFY(option.japaneseTexts.isEmpty() ||
                    (option.japaneseTexts.size() == option.englishTexts.size() &&
                     option.japaneseTexts != option.englishTexts));
            QString name = OptionControlName(option.id).remove(u"Set_Mode_"_s);
            name += u':' + QString::number(option.englishTexts.size());
            const QString frame = QString::number(int(option.frame));
            if (rows.isEmpty() || !rows.last().startsWith(frame + u'|'))
                rows.append(frame + u'|' + name);
            else
                rows.last() += u' ' + name;
        }
        for (const auto &[frame, controls] : frames)
            expected.append(QString::number(int(frame)) + u'|' + controls);
        QCOMPARE(rows, expected);
        QVERIFY(!FindOption({Repeater, 1}) && !FindOption({Repeater, 2}) && !FindOption({Key, 13}));
        QCOMPARE(OptionControlName({Preset, 0}), u"Set_Mode_Preset"_s);
        QCOMPARE(OptionControlName({ChDisplay, 0}), u"Combo1"_s);
    }

    void captions()
    {
        const std::tuple<OptionGroup, int, QString, QString> rows[] = {
            {Display, 1, u"Illumination"_s, u"照明設定"_s},
            {Display, 4, u"Font size"_s, u"非操作側  表示サイズ"_s},
            {Display, 0, u"Language"_s, u"Language"_s},
            {Send, 13, u"PTT delay"_s, u"PTT delay"_s},
            {Preset, 0, u"Preset mode"_s, u"表示"_s},
            {Mem, 0, u"Overwrite"_s, u"ﾗｲﾄﾌﾟﾛﾃｸﾄ"_s},
            {Display, 8, u"S METER"_s, u"Ｓﾒｰﾀの種類"_s},
            {Recv, 2, u"Tone SQ pri"_s, u"TSQ･DCS優先設定"_s},
            {Display, 10, QString(), QString()},
            {Key, 12, u"Set Mode Exit"_s, u"セットモード復帰時間"_s},
            {ChDisplay, 0, u"CH.Display Mode"_s, u"ﾁｬﾝﾈﾙ表示ﾓｰﾄﾞ"_s},
            {Display, 9, u"CH scope Display"_s, u"チャンネル　スコープ表示"_s},
            {Sound, 0, u"Beep sound Lv."_s, u"ﾋﾞｰﾌﾟ音量設定"_s},
            {Toutyou, 0, u"Detect mode"_s, u"探索ﾓｰﾄﾞの種類"_s},
        };
        for (const auto &[group, index, english, japanese] : rows) {
            QCOMPARE(OptionCaption(Option(group, index), En), english);
            QCOMPARE(OptionCaption(Option(group, index), Ja), japanese);
        }
        const std::tuple<OptionFrame, QString, QString> frames[] = {
            {OptionFrame::ScreenDisplay, u"<SCREEN DISPLAY>"_s, u"≪表示設定≫"_s},
            {OptionFrame::PowerBattery, u"<POWER & BATT.>"_s, u"≪電源設定≫"_s},
            {OptionFrame::Scanning, u"<SCANNING>"_s, u"≪ｽｷｬﾝ設定≫"_s},
            {OptionFrame::BugDetector, u"<BUG DETECTOR>"_s, u"≪盗聴器発見≫"_s},
            {OptionFrame::Memory, u"MEMORY"_s, u"MEMORY"_s},
            {OptionFrame::ChDisplayMode, u"CH.Display Mode"_s, u"ﾁｬﾝﾈﾙ表示ﾓｰﾄﾞ"_s},
            {OptionFrame::CommonSetting, u"Setting"_s, u"Setting"_s},
        };
        for (const auto &[frame, english, japanese] : frames) {
            QCOMPARE(FrameCaption(frame, En), english);
            QCOMPARE(FrameCaption(frame, Ja), japanese);
        }
    }

    // Fixed entries and the ends of every generated list in both languages; a negative position counts
    // from the end. Lists that are not refilled show their English texts in Japanese too.
    void optionTexts()
    {
        const std::tuple<OptionGroup, int, int, QString, QString> rows[] = {
            {Power, 0, 0, u"OFF"_s, u"解除"_s},
            {Display, 1, 1, u" 5sec."_s, u" 5秒"_s},
            {Display, 3, 0, u" 1"_s, u" 1"_s},
            {Display, 3, -1, u"10"_s, u"10"_s},
            {Send, 2, 1, u" 30sec."_s, u" 30秒"_s},
            {Send, 2, -1, u"450sec."_s, u"450秒"_s},
            {Send, 3, 1, u" 1sec."_s, u" 1秒"_s},
            {Send, 3, -1, u"15sec."_s, u"15秒"_s},
            {Scan, 0, 1, u" 1sec. timer"_s, u" 1秒(ﾀｲﾏｰｽｷｬﾝ)"_s},
            {Scan, 0, 25, u"25sec. timer"_s, u"25秒(ﾀｲﾏｰｽｷｬﾝ)"_s},
            {Scan, 0, 35, u"1.5min. elapse"_s, u"1.5分(時間指定)"_s},
            {Scan, 0, -1, u"  5min. elapse"_s, u"  5分(時間指定)"_s},
            {Scan, 2, 0, u" 5sec."_s, u" 5秒"_s},
            {Scan, 2, -1, u"60sec."_s, u"60秒"_s},
            {Scan, 3, 1, u" 1sec."_s, u" 1秒"_s},
            {Scan, 3, -1, u"25sec."_s, u"25秒"_s},
            {Scan, 7, -1, u"25SEC"_s, u"25SEC"_s},
            {Display, 13, -1, u"62"_s, u"62"_s},
            {Sound, 4, -1, u"20"_s, u"20"_s},
            {Recv, 7, -1, u"9"_s, u"9"_s},
            {Recv, 3, 0, u"Nomal"_s, u"ノーマル"_s},
            {Recv, 5, 0, u"Wideband RX"_s, u"Wideband RX"_s},
            {Key, 8, 1, u"YES"_s, u"YES"_s},
            {Toutyou, 0, 1, u"Sound"_s, u"Sound"_s},
            {Scan, 1, 0, u" Suspend"_s, u" 無効"_s},
            {Send, 12, 0, u"LOW POWER"_s, u"ﾛｰﾊﾟﾜｰ"_s},
            {Key, 5, 0, u"Freq:Top　AF:Lower"_s, u"Freq:Top　AF:Lower"_s},
            {Key, 4, 0, u"L:MAIN / SUB:R"_s, u"左:ﾒｲﾝ  ｻﾌﾞ:右"_s},
            {Key, 6, 3, u"Screen contrast"_s, u"コントラスト設定"_s},
            {Key, 6, 10, u"Beep Sound Lv."_s, u"ビープ音量設定"_s},
            {Key, 7, 41, u"Dial ring"_s, u"ダイヤル上下"_s},
            {Key, 7, -1, u"Set mode exit"_s, u"セットモード復帰時間"_s},
            {Mem, 0, 2, u"fail-safe"_s, u"一時解除"_s},
            {Preset, 0, 1, u"Deactivate"_s, u"表示しない"_s},
            {Display, 10, 1, u"ON"_s, u"ON"_s},
        };
        for (const auto &[group, index, position, english, japanese] : rows) {
            for (const auto &[language, text] : {std::pair{En, english}, std::pair{Ja, japanese}}) {
                const QStringList texts = OptionTexts(Option(group, index), language);
                QCOMPARE(texts.value(position < 0 ? texts.size() + position : position), text);
            }
        }
        QCOMPARE(KeyFunctionTexts(En).size(), 45);
        QCOMPARE(OptionTexts(Option(Key, 6), Ja), KeyFunctionTexts(Ja));
    }

    void refillKinds()
    {
        const std::pair<OptionId, Refill> special[] = {
            {{Display, 0}, Refill::Always},      {{Repeater, 0}, Refill::Always},
            {{Repeater, 3}, Refill::Always},     {{Send, 8}, Refill::Always},
            {{Toutyou, 0}, Refill::EnglishOnly}, {{Recv, 5}, Refill::EnglishOnly},
            {{Key, 8}, Refill::EnglishOnly},
        };
        std::array<int, 3> counts{};
        for (const SetModeOption &option : SetModeOptions()) {
            Refill expected = option.japaneseTexts.isEmpty() ? Refill::Never : Refill::Always;
            for (const auto &[id, refill] : special)
                expected = id == option.id ? refill : expected;
            QCOMPARE(option.refill, expected);
            counts[int(option.refill)]++;
        }
        // 36 lists with Japanese texts of their own, and the four refilled although they do not change.
        QCOMPARE(counts, (std::array{34, 40, 3}));
    }
};

QTEST_GUILESS_MAIN(TestSetModeTexts)
#include "test_setmodetexts.moc"
