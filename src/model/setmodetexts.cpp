#include "model/setmodetexts.h"

#include <array>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace n35
{

namespace
{

// "%1" of pattern filled with first, first + step, ... last, the number right-aligned in width characters.
QStringList Series(const QString &pattern, int first, int last, int step = 1, int width = 0)
{
    QStringList texts;
    for (int n = first; n <= last; n += step)
        texts.append(pattern.arg(n, width));
    return texts;
}

// Glues single texts and whole lists into one list, in order.
template <typename... Parts> QStringList Cat(const Parts &...parts)
{
    QStringList texts;
    (texts << ... << parts);
    return texts;
}

struct KeyFunction {
    QString english;
    QString japanese;
};

const std::array<KeyFunction, 45> &KeyFunctions()
{
    static const std::array<KeyFunction, 45> table{{
        {u"Language"_s, u"Language"_s},
        {u"Illumination"_s, u"照明設定"_s},
        {u"Dimmer"_s, u"明るさ設定"_s},
        {u"Screen contrast"_s, u"コントラスト設定"_s},
        {u"Font size"_s, u"非操作側表示サイズ"_s},
        {u"Font Bold"_s, u"フォント設定"_s},
        {u"Opening string"_s, u"ｵｰﾌﾟﾆﾝｸﾞﾒｯｾｰｼﾞ"_s},
        {u"Auto-power-off"_s, u"ｵｰﾄﾊﾟﾜｰｵﾌ"_s},
        {u"BS ratio"_s, u"ﾊﾞｯﾃﾘｰｾｰﾌﾞ"_s},
        {u"Battery type"_s, u"電池の設定"_s},
        {u"Beep Sound Lv."_s, u"ビープ音量設定"_s},
        {u"Pager"_s, u"ベル機能設定"_s},
        {u"End-beep"_s, u"エンドピー音"_s},
        {u"VOX"_s, u"VOX設定"_s},
        {u"TOT"_s, u"TOT設定"_s},
        {u"TOT penalty"_s, u"TOTペナルティ機能"_s},
        {u"BCLO"_s, u"BCLO機能"_s},
        {u"Tone-burst"_s, u"トーンコール"_s},
        {u"PTT delay"_s, u"PTT delay"_s},
        {u"Full-duplex"_s, u"同時送受信設定"_s},
        {u"Auto rpt. set"_s, u"ｵｰﾄﾚﾋﾟｰﾀｰ設定"_s},
        {u"Auto-dialer"_s, u"DTMFｵｰﾄﾀﾞｲﾔﾗｰ"_s},
        {u"WAIT timing"_s, u"DTMF WAIT時間"_s},
        {u"First-digit time"_s, u"DTMF一桁目ﾊﾞｰｽﾄ"_s},
        {u"DTMF burst time"_s, u"DTMFﾊﾞｰｽﾄ時間"_s},
        {u"DTMF pause time"_s, u"DTMFﾎﾟｰｽﾞ時間"_s},
        {u"Clk noise shift"_s, u"クロックシフト"_s},
        {u"Tone SQ pri"_s, u"TSQ･DCS優先設定"_s},
        {u"DCS operation"_s, u"DCSタイプ設定"_s},
        {u"Bank-link"_s, u"ﾘﾝｸ設定"_s},
        {u"Overwrite"_s, u"ライトプロテクト"_s},
        {u"Scan mode"_s, u"スキャンタイプ"_s},
        {u"Scan skip"_s, u"スキップ設定"_s},
        {u"Pri interval"_s, u"ﾌﾟﾗｲｵﾘﾃｨ待受時間"_s},
        {u"Pri duration"_s, u"ﾌﾟﾗｲｵﾘﾃｨ停止時間"_s},
        {u"Scan lamp"_s, u"Scan lamp"_s},
        {u"Key lock mode"_s, u"キーロックモード"_s},
        {u"Moni key mode"_s, u"MONIキー設定"_s},
        {u"Moni operation"_s, u"MONIキー動作"_s},
        {u"Moni active on"_s, u"MONIキー操作対象"_s},
        {u"Mainband dial"_s, u"ダイヤル左右"_s},
        {u"Dial ring"_s, u"ダイヤル上下"_s},
        {u"Wild key assign"_s, u"WILDｷｰ設定"_s},
        {u"Lamp key assign"_s, u"LAMPｷｰ設定"_s},
        {u"Set mode exit"_s, u"セットモード復帰時間"_s},
    }};
    return table;
}

// One row of the page. Japanese lists are given only where they differ from the English ones, and such a
// list has to be refilled by every switch; refill names the kind of the lists whose texts do not change.
SetModeOption Row(OptionId id, OptionFrame frame, const QString &englishCaption,
                  const QString &japaneseCaption, const QStringList &englishTexts,
                  const QStringList &japaneseTexts, Refill refill = Refill::Never)
{
    const Refill kind = japaneseTexts.isEmpty() ? refill : Refill::Always;
    return {id, frame, englishCaption, japaneseCaption, englishTexts, japaneseTexts, kind};
}

std::vector<SetModeOption> BuildOptions()
{
    using enum OptionGroup;
    using F = OptionFrame;
    constexpr Refill Always = Refill::Always;
    constexpr Refill EnglishOnly = Refill::EnglishOnly;

    const QStringList offOn{u"OFF"_s, u"ON"_s};
    const QStringList manualAuto{u"MANUAL"_s, u"AUTO"_s};
    const QStringList scanStop = Cat(u"Busy"_s, Series(u"%1SEC"_s, 1, 25, 1, 2));
    const QStringList power3{u"Low Power"_s, u"Middle Power"_s, u"High Power"_s};
    const QStringList power3Ja{u"ﾛｰﾊﾟﾜｰ"_s, u"ﾐﾄﾞﾙﾊﾟﾜｰ"_s, u"ﾊｲﾊﾟﾜｰ"_s};

    return {
        Row({Display, 0}, F::ScreenDisplay, u"Language"_s, u"Language"_s, {u"Japanese"_s, u"English"_s}, {},
            Always),
        Row({Display, 1}, F::ScreenDisplay, u"Illumination"_s, u"照明設定"_s,
            Cat(u"Turn out"_s, Series(u"%1sec."_s, 5, 30, 5, 2), u"Always Lit"_s, u"Disable all"_s),
            Cat(u"消灯"_s, Series(u"%1秒"_s, 5, 30, 5, 2), u"常灯"_s, u"全て消灯"_s)),
        Row({Display, 2}, F::ScreenDisplay, u"Dimmer"_s, u"明るさ設定"_s, Series(u"%1"_s, 1, 5), {}),
        Row({Display, 3}, F::ScreenDisplay, u"Screen contrast"_s, u"ｺﾝﾄﾗｽﾄ設定"_s,
            Series(u"%1"_s, 1, 10, 1, 2), {}),
        Row({Display, 4}, F::ScreenDisplay, u"Font size"_s, u"非操作側  表示サイズ"_s,
            {u"Small"_s, u"Large"_s}, {u"小"_s, u"大"_s}),
        Row({Display, 5}, F::ScreenDisplay, u"Font Bold"_s, u"フォント設定"_s,
            {u"Bold all"_s, u"Op. band bold"_s, u"Op. band thin"_s, u"Thin all"_s},
            {u"太字"_s, u"操作バンド太字"_s, u"操作バンド細字"_s, u"細字"_s}),

        Row({Power, 0}, F::PowerBattery, u"Auto-power-off"_s, u"ｵｰﾄﾊﾟﾜｰｵﾌ"_s,
            {u"OFF"_s, u"30 min."_s, u"1 hour"_s, u"2 hrs."_s, u"3 hrs."_s, u"5 hrs."_s, u"8 hrs."_s},
            {u"解除"_s, u"30分"_s, u"1時間"_s, u"2時間"_s, u"3時間"_s, u"5時間"_s, u"8時間"_s}),
        Row({Power, 1}, F::PowerBattery, u"BS ratio"_s, u"ﾊﾞｯﾃﾘｰｾｰﾌﾞ"_s,
            {u"Batt. save off"_s, u"0.2 : 0.2"_s, u"0.2 : 0.4"_s, u"0.2 : 0.8"_s, u"0.2 : 1.2"_s,
             u"0.2 : 1.8"_s},
            {u"OFF"_s, u"0.2秒:0.2秒"_s, u"0.2秒:0.4秒"_s, u"0.2秒:0.8秒"_s, u"0.2秒:1.2秒"_s,
             u"0.2秒:1.8秒"_s}),
        Row({Power, 2}, F::PowerBattery, u"Battery type"_s, u"電池の設定"_s,
            {u"Battery pack"_s, u"Dry cells"_s}, {u"バッテリーパック"_s, u"乾電池"_s}),

        Row({Send, 0}, F::Transmitter, u"VOX"_s, u"VOX設定"_s, {u"OFF"_s, u"Internal mic"_s, u"Option mic"_s},
            {u"OFF"_s, u"内蔵マイク"_s, u"外部マイク"_s}),
        Row({Send, 1}, F::Transmitter, u"VOX LEVEL"_s, u"VOX感度"_s, Series(u"%1"_s, 0, 7), {}),
        Row({Send, 2}, F::Transmitter, u"TOT"_s, u"TOT設定"_s,
            Cat(u"OFF"_s, Series(u"%1sec."_s, 30, 450, 30, 3)),
            Cat(u"無効"_s, Series(u"%1秒"_s, 30, 450, 30, 3))),
        Row({Send, 3}, F::Transmitter, u"TOT penalty"_s, u"TOTﾍﾟﾅﾙﾃｨ機能"_s,
            Cat(u"OFF"_s, Series(u"%1sec."_s, 1, 15, 1, 2)), Cat(u"無効"_s, Series(u"%1秒"_s, 1, 15, 1, 2))),
        Row({Send, 4}, F::Transmitter, u"BCLO"_s, u"BCLO機能"_s, offOn, {}),
        Row({Send, 5}, F::Transmitter, u"Tone-burst"_s, u"トーンコール"_s,
            {u"DISABLE"_s, u"CALL"_s, u"1000Hz"_s, u"1450Hz"_s, u"1750Hz"_s, u"2100Hz"_s},
            {u"無効"_s, u"CALL"_s, u"1000Hz"_s, u"1450Hz"_s, u"1750Hz"_s, u"2100Hz"_s}),
        Row({Send, 13}, F::Transmitter, u"PTT delay"_s, u"PTT delay"_s,
            {u"OFF"_s, u"0.3"_s, u"0.6"_s, u"1"_s}, {}),
        Row({Send, 9}, F::Transmitter, u"Full-duplex"_s, u"同時送受信設定"_s,
            {u"Prohibited"_s, u"Permitted"_s}, {u"禁止"_s, u"許可"_s}),

        Row({Repeater, 0}, F::Repeater, u"Auto rpt. set"_s, u"ｵｰﾄﾚﾋﾟｰﾀｰ設定"_s, offOn, {}, Always),
        Row({Repeater, 3}, F::Repeater, u"Cross Band set"_s, u"ｸﾛｽﾊﾞﾝﾄﾞ"_s, offOn, {}, Always),

        Row({Recv, 0}, F::Receiver, u"AM antenna"_s, u"バーアンテナ"_s, offOn, {}),
        Row({Recv, 1}, F::Receiver, u"Clk noise shift"_s, u"クロックシフト"_s, offOn, {}),
        Row({Recv, 2}, F::Receiver, u"Tone SQ pri"_s, u"TSQ･DCS優先設定"_s,
            {u"Active band"_s, u"Main band"_s, u"Sub band"_s},
            {u"操作バンド優先"_s, u"メイン優先"_s, u"サブ優先"_s}),
        Row({Recv, 3}, F::Receiver, u"DCS operation"_s, u"DCSタイプ設定"_s, {u"Nomal"_s, u"Hold"_s},
            {u"ノーマル"_s, u"キープ"_s}),
        Row({Recv, 4}, F::Receiver, u"TSF operation"_s, u"発信器探索音設定"_s,
            {u"Always"_s, u"Temporary stop"_s}, {u"常時"_s, u"一時休止"_s}),
        Row({Preset, 0}, F::Receiver, u"Preset mode"_s, u"表示"_s, {u"Activate"_s, u"Deactivate"_s},
            {u"表示する"_s, u"表示しない"_s}),
        Row({Recv, 5}, F::Receiver, u"Receiver range"_s, u"運用周波数限定"_s,
            {u"Wideband RX"_s, u"Amateur Bands"_s}, {}, EnglishOnly),

        Row({Scan, 0}, F::Scanning, u"Scan mode"_s, u"ｽｷｬﾝﾀｲﾌﾟ"_s,
            Cat(u"BUSY SCAN"_s, Series(u"%1sec. timer"_s, 1, 25, 1, 2),
                QStringList{u"  1sec. elapse"_s, u"  2sec. elapse"_s, u"  3sec. elapse"_s,
                            u"  4sec. elapse"_s, u"  5sec. elapse"_s, u" 10sec. elapse"_s,
                            u" 15sec. elapse"_s, u" 30sec. elapse"_s, u"  1min. elapse"_s,
                            u"1.5min. elapse"_s, u"  2min. elapse"_s, u"  3min. elapse"_s,
                            u"  4min. elapse"_s, u"  5min. elapse"_s}),
            Cat(u"ﾋﾞｼﾞｰｽｷｬﾝ"_s, Series(u"%1秒(ﾀｲﾏｰｽｷｬﾝ)"_s, 1, 25, 1, 2),
                QStringList{u"  1秒(時間指定)"_s, u"  2秒(時間指定)"_s, u"  3秒(時間指定)"_s,
                            u"  4秒(時間指定)"_s, u"  5秒(時間指定)"_s, u" 10秒(時間指定)"_s,
                            u" 15秒(時間指定)"_s, u" 30秒(時間指定)"_s, u"  1分(時間指定)"_s,
                            u"1.5分(時間指定)"_s, u"  2分(時間指定)"_s, u"  3分(時間指定)"_s,
                            u"  4分(時間指定)"_s, u"  5分(時間指定)"_s})),
        Row({Scan, 1}, F::Scanning, u"Scan skip"_s, u"スキップ設定"_s, {u" Suspend"_s, u" Valid"_s},
            {u" 無効"_s, u" 有効"_s}),
        Row({Scan, 2}, F::Scanning, u"Pri interval"_s, u"ﾌﾟﾗｲｵﾘﾃｨ待受時間"_s,
            Series(u"%1sec."_s, 5, 60, 5, 2), Series(u"%1秒"_s, 5, 60, 5, 2)),
        Row({Scan, 3}, F::Scanning, u"Pri duration"_s, u"ﾌﾟﾗｲｵﾘﾃｨ停止時間"_s,
            Cat(u"BUSY"_s, Series(u"%1sec."_s, 1, 25, 1, 2)),
            Cat(u"ﾋﾞｼﾞｰ"_s, Series(u"%1秒"_s, 1, 25, 1, 2))),
        Row({Scan, 4}, F::Scanning, u"VFO SCAN(Main)"_s, u"VFOｽｷｬﾝ(Main)"_s, scanStop, {}),
        Row({Scan, 5}, F::Scanning, u"VFO SCAN(Sub)"_s, u"VFOｽｷｬﾝ(Sub)"_s, scanStop, {}),
        Row({Scan, 6}, F::Scanning, u"Memory SCAN(Main)"_s, u"ﾒﾓﾘｰｽｷｬﾝ(Main)"_s, scanStop, {}),
        Row({Scan, 7}, F::Scanning, u"Memory SCAN(Sub)"_s, u"ﾒﾓﾘｰｽｷｬﾝ(Sub)"_s, scanStop, {}),
        Row({Scan, 8}, F::Scanning, u"Scan lamp"_s, u"ｽｷｬﾝ照明設定"_s, offOn, {}),
        Row({Scan, 9}, F::Scanning, u"Scan data output"_s, u"ｽｷｬﾝﾃﾞｰﾀ出力"_s, offOn, {}),

        Row({Sound, 0}, F::Sound, u"Beep sound Lv."_s, u"ﾋﾞｰﾌﾟ音量設定"_s,
            Cat(u"OFF"_s, Series(u"%1"_s, 1, 4)), {}),
        Row({Sound, 1}, F::Sound, u"Pager"_s, u"ベル機能設定"_s,
            {u"OFF"_s, u"Main-band only"_s, u"Sub-band only"_s, u"Either band"_s},
            {u"無効"_s, u"ﾒｲﾝ受信時"_s, u"ｻﾌﾞ受信時"_s, u"どちらか受信時"_s}),
        Row({Sound, 2}, F::Sound, u"End-beep"_s, u"エンドピー音"_s, offOn, {}),

        Row({Key, 0}, F::KeyAssignment, u"Key lock mode"_s, u"ｷｰﾛｯｸﾓｰﾄﾞ"_s,
            {u"PTT"_s, u"17-key pad"_s, u"Dials"_s, u"PTT + 17-key"_s, u"PTT + dials"_s, u"17-key + dials"_s,
             u"All"_s},
            {u"PTTｷｰのみ"_s, u"ｷｰﾎﾞｰﾄﾞのみ"_s, u"ﾀﾞｲﾔﾙのみ"_s, u"PTT+ｷｰﾎﾞｰﾄﾞ"_s, u"PTT+ﾀﾞｲﾔﾙ"_s,
             u"ｷｰﾎﾞｰﾄﾞ+ﾀﾞｲﾔﾙ"_s, u"全て"_s}),
        Row({Key, 1}, F::KeyAssignment, u"Moni key mode"_s, u"MONIキー設定"_s, {u"Monitor"_s, u"Mute"_s},
            {u"ﾓﾆﾀｰ"_s, u"ﾐｭｰﾄ"_s}),
        Row({Key, 2}, F::KeyAssignment, u"Moni operation"_s, u"MONIキー動作"_s, {u"Push"_s, u"Hold"_s},
            {u"ﾌﾟｯｼｭ"_s, u"ﾎｰﾙﾄﾞ"_s}),
        Row({Key, 3}, F::KeyAssignment, u"Moni active on"_s, u"MONIキー操作対象"_s,
            {u"Main band only"_s, u"Sub band only"_s, u"Operating band"_s, u"Both bands"_s},
            {u"ﾒｲﾝﾊﾞﾝﾄﾞ"_s, u"ｻﾌﾞﾊﾞﾝﾄﾞ"_s, u"操作ﾊﾞﾝﾄﾞ"_s, u"両ﾊﾞﾝﾄﾞ"_s}),
        Row({Key, 4}, F::KeyAssignment, u"Mainband dial"_s, u"ダイヤル左右"_s,
            {u"L:MAIN / SUB:R"_s, u"L:SUB / MAIN:R"_s}, {u"左:ﾒｲﾝ  ｻﾌﾞ:右"_s, u"左:ｻﾌﾞ  ﾒｲﾝ:右"_s}),
        Row({Key, 5}, F::KeyAssignment, u"Dial Ring"_s, u"ダイヤル上下"_s,
            {u"Freq:Top　AF:Lower"_s, u"Freq:Lower　AF:Top"_s, u"Squelch:Top　Freq:Lower"_s,
             u"Squelch:Lower　Freq:Top"_s},
            {}),
        Row({Key, 6}, F::KeyAssignment, u"Wild key assign"_s, u"WILDｷｰ設定"_s,
            KeyFunctionTexts(Language::English), KeyFunctionTexts(Language::Japanese)),
        Row({Key, 7}, F::KeyAssignment, u"Lamp key assign"_s, u"LAMPｷｰ設定"_s,
            KeyFunctionTexts(Language::English), KeyFunctionTexts(Language::Japanese)),
        Row({Key, 12}, F::KeyAssignment, u"Set Mode Exit"_s, u"セットモード復帰時間"_s,
            {u"Manual"_s, u"5SEC"_s, u"10SEC"_s, u"15SEC"_s, u"30SEC"_s, u"1MIN"_s, u"1.5MIN"_s, u"2MIN"_s,
             u"3MIN"_s, u"4MIN"_s, u"5MIN"_s},
            {u"手動"_s, u"5秒"_s, u"10秒"_s, u"15秒"_s, u"30秒"_s, u"1分"_s, u"1.5分"_s, u"2分"_s, u"3分"_s,
             u"4分"_s, u"5分"_s}),
        Row({Key, 8}, F::KeyAssignment, u"Band transition"_s, u"バンド移動"_s, {u"NO"_s, u"YES"_s}, {},
            EnglishOnly),
        Row({Key, 9}, F::KeyAssignment, u"Key lock Type"_s, u"キーロック状態"_s,
            {u"OFF"_s, u"LOCK1"_s, u"LOCK2"_s}, {}),
        Row({Key, 10}, F::KeyAssignment, u"Op. band"_s, u"対象操作バンド"_s, {u"Main"_s, u"Sub"_s}, {}),
        Row({Key, 11}, F::KeyAssignment, u"Moni key TX"_s, u"MONIキー特殊機能"_s,
            {u"DISABLE"_s, u"Sub-band"_s, u"Main-band L pow."_s, u"Main-band H pow."_s},
            {u"無効"_s, u"ｻﾌﾞﾊﾞﾝﾄﾞ"_s, u"ﾒｲﾝﾊﾞﾝﾄﾞﾛｰﾊﾟﾜｰ"_s, u"ﾒｲﾝﾊﾞﾝﾄﾞﾊｲﾊﾟﾜｰ"_s}),

        Row({Mem, 0}, F::Memory, u"Overwrite"_s, u"ﾗｲﾄﾌﾟﾛﾃｸﾄ"_s,
            {u"Accepted"_s, u"Prohibited"_s, u"fail-safe"_s}, {u"無効"_s, u"有効"_s, u"一時解除"_s}),

        Row({ChDisplay, 0}, F::ChDisplayMode, u"CH.Display Mode"_s, u"ﾁｬﾝﾈﾙ表示ﾓｰﾄﾞ"_s, offOn, {}),

        Row({Toutyou, 0}, F::BugDetector, u"Detect mode"_s, u"探索ﾓｰﾄﾞの種類"_s, {u"Silent"_s, u"Sound"_s},
            {}, EnglishOnly),
        Row({Toutyou, 1}, F::BugDetector, u"Sensitivity"_s, u"検出感度"_s, Series(u"%1"_s, 1, 5), {}),

        Row({Display, 6}, F::CommonSetting, u"Vol display type"_s, u"音量表示形式"_s,
            {u"Normal"_s, u"Center(Active)"_s, u"Center(Non act.)"_s},
            {u"右端に小さく"_s, u"中心(同バンド)"_s, u"中心(逆バンド)"_s}),
        Row({Display, 7}, F::CommonSetting, u"Display Type"_s, u"画面表示形式"_s,
            {u"Dual band"_s, u"Single band"_s}, {u"ﾃﾞｭｱﾙﾊﾞﾝﾄﾞ表示"_s, u"ｼﾝｸﾞﾙﾊﾞﾝﾄﾞ表示"_s}),
        Row({Display, 8}, F::CommonSetting, u"S METER"_s, u"Ｓﾒｰﾀの種類"_s, {u"Normal"_s, u"Simple"_s},
            {u"ノーマル"_s, u"シンプル"_s}),
        Row({Display, 9}, F::CommonSetting, u"CH scope Display"_s, u"チャンネル　スコープ表示"_s, offOn, {}),
        // The second scope list stands beside the same two-line caption and has none of its own.
        Row({Display, 10}, F::CommonSetting, {}, {}, offOn, {}),
        // The bank numbers come from the bank partition, so these two start empty.
        Row({Display, 11}, F::CommonSetting, u"Bank No.(Main)"_s, u"バンク番号(Main)"_s, {}, {}),
        Row({Display, 12}, F::CommonSetting, u"Bank No.(Sub)"_s, u"バンク番号(Sub)"_s, {}, {}),
        Row({Display, 13}, F::CommonSetting, u"TV CH"_s, u"テレビのCH"_s, Series(u"%1"_s, 1, 62), {}),
        Row({Display, 14}, F::CommonSetting, u"Preset band(Main)"_s, u"プリセットバンド(Main)"_s,
            {u"UHF"_s, u"1200MHz"_s}, {}),
        Row({Display, 15}, F::CommonSetting, u"Preset band(Sub)"_s, u"プリセットバンド(Sub)"_s,
            {u"AM"_s, u"FM"_s, u"TV"_s}, {}),
        Row({Send, 6}, F::CommonSetting, u"Modulation Mode"_s, u"電波型式"_s, manualAuto, {}),
        Row({Send, 7}, F::CommonSetting, u"Freq Step"_s, u"周波数ステップ"_s, manualAuto, {}),
        Row({Send, 8}, F::CommonSetting, u"ATT"_s, u"アッテネーター"_s, Cat(u"OFF"_s, Series(u"%1"_s, 1, 4)),
            {}, Always),
        Row({Sound, 3}, F::CommonSetting, u"Mic Gain"_s, u"マイクゲイン"_s, Series(u"%1"_s, 1, 4), {}),
        Row({Sound, 4}, F::CommonSetting, u"VOL(Main)"_s, u"音量(Main)"_s, Series(u"%1"_s, 0, 20), {}),
        Row({Sound, 5}, F::CommonSetting, u"VOL(Sub)"_s, u"音量(Sub)"_s, Series(u"%1"_s, 0, 20), {}),
        Row({Send, 10}, F::CommonSetting, u"222MHz TX Power"_s, u"222MHz帯送信出力"_s, power3, power3Ja),
        Row({Send, 11}, F::CommonSetting, u"902MHz TX Power"_s, u"902MHz帯送信出力"_s, power3, power3Ja),
        Row({Send, 12}, F::CommonSetting, u"1200MHz TX Power"_s, u"1200MHz帯送信出力"_s,
            {u"LOW POWER"_s, u"High Power"_s}, {u"ﾛｰﾊﾟﾜｰ"_s, u"ﾊｲﾊﾟﾜｰ"_s}),
        Row({Recv, 6}, F::CommonSetting, u"Squelch(Main)"_s, u"スケルチ(Main)"_s, Series(u"%1"_s, 0, 9), {}),
        Row({Recv, 7}, F::CommonSetting, u"Squelch(Sub)"_s, u"スケルチ(Sub)"_s, Series(u"%1"_s, 0, 9), {}),
    };
}

} // namespace

const std::vector<SetModeOption> &SetModeOptions()
{
    static const std::vector<SetModeOption> options = BuildOptions();
    return options;
}

const SetModeOption *FindOption(OptionId id)
{
    for (const SetModeOption &option : SetModeOptions()) {
        if (option.id == id)
            return &option;
    }
    return nullptr;
}

QString OptionControlName(OptionId id)
{
    // Preset and Combo1 are single controls, not arrays, so their names carry no index.
    static const std::array<QString, 12> names{
        u"Set_Mode_Display_%1"_s, u"Set_Mode_Power_%1"_s, u"Set_Mode_Send_%1"_s,     u"Set_Mode_Toutyou_%1"_s,
        u"Set_Mode_Recv_%1"_s,    u"Set_Mode_Scan_%1"_s,  u"Set_Mode_Repeater_%1"_s, u"Set_Mode_Key_%1"_s,
        u"Set_Mode_Sound_%1"_s,   u"Set_Mode_Preset"_s,   u"Set_Mode_Mem_%1"_s,      u"Combo1"_s,
    };
    const QString &name = names.at(static_cast<std::size_t>(id.group));
    return name.contains(u"%1"_s) ? name.arg(id.index) : name;
}

QString OptionCaption(const SetModeOption &option, Language language)
{
    return language == Language::Japanese ? option.japaneseCaption : option.englishCaption;
}

QStringList OptionTexts(const SetModeOption &option, Language language)
{
    const bool japanese =
        language == Language::Japanese && option.refill == Refill::Always && !option.japaneseTexts.isEmpty();
    return japanese ? option.japaneseTexts : option.englishTexts;
}

QString FrameCaption(OptionFrame frame, Language language)
{
    static const std::array<std::pair<QString, QString>, 12> captions{{
        {u"<SCREEN DISPLAY>"_s, u"≪表示設定≫"_s},
        {u"<POWER & BATT.>"_s, u"≪電源設定≫"_s},
        {u"<TRANSMITTER>"_s, u"≪送信設定≫"_s},
        {u"<REPEATER>"_s, u"≪レピーター設定≫"_s},
        {u"<RECEIVER>"_s, u"≪受信設定≫"_s},
        {u"<SCANNING>"_s, u"≪ｽｷｬﾝ設定≫"_s},
        {u"<SOUND>"_s, u"≪音設定≫"_s},
        {u"<KEY ASSIGNMENT>"_s, u"≪キー操作設定≫"_s},
        {u"MEMORY"_s, u"MEMORY"_s},
        {u"CH.Display Mode"_s, u"ﾁｬﾝﾈﾙ表示ﾓｰﾄﾞ"_s},
        {u"<BUG DETECTOR>"_s, u"≪盗聴器発見≫"_s},
        {u"Setting"_s, u"Setting"_s},
    }};
    const auto &[english, japanese] = captions.at(static_cast<std::size_t>(frame));
    return language == Language::Japanese ? japanese : english;
}

QStringList KeyFunctionTexts(Language language)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(KeyFunctions().size()));
    for (const KeyFunction &function : KeyFunctions())
        texts.append(language == Language::Japanese ? function.japanese : function.english);
    return texts;
}

QString TitleFrameCaption(Language language)
{
    return language == Language::Japanese ? u"ｵｰﾌﾟﾆﾝｸﾞ"_s : u"Welcome"_s;
}

QString TitleMotionCaption(Language language)
{
    return language == Language::Japanese ? u"オープニングスライド動作"_s : u"Opening Slide"_s;
}

QStringList TitleMotionTexts(Language language)
{
    return language == Language::Japanese ? QStringList{u"静止"_s, u"ｽﾗｲﾄﾞ"_s}
                                          : QStringList{u"still"_s, u"slide"_s};
}

} // namespace n35
