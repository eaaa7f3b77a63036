#pragma once

#include <QCoreApplication>
#include <QString>
#include <cstdint>

// How far one run has come, as one bar from 0 to kFull across its stages: loading the
// definition files, reading the source, building the target and writing its file each own a
// part of the bar, entered when the reader or writer announces the stage by its status message.
// Within a stage the steps the reader or writer counts fill its part; the bar never goes back.
// Above 200 steps a stage moves the bar only every so many steps (the divisor), so a reader
// that steps through 65,536 codes moves it at most 128 times.
class CRunProgress {
    Q_DECLARE_TR_FUNCTIONS(CRunProgress)

public:
    static constexpr int kFull = 1000;

    // A new run: the bar at 0, the source named in the reading stage's words.
    void Start(const QString& sourceName);
    // The file the writing stage names.
    void SetTargetName(const QString& name) { m_targetName = name; }
    // The status line's words for status message `number`; a message that begins a stage
    // moves the bar to that stage's start.
    QString EnterStatus(int number);
    // The current stage starts counting again from 0.
    void Reset();
    void SetRange(int32_t steps);
    // True when the steps cross a divisor's boundary: the bar may move, and a run asks whether
    // it was cancelled.
    bool Step(int32_t steps);
    void Finish() { m_value = kFull; }
    int Value() const { return m_value; }
    int32_t Divisor() const { return m_divisor; }

private:
    void Enter(int start, int end);

    QString m_sourceName;
    QString m_targetName;
    int m_stageStart = 0;
    int m_stageEnd = kFull;
    int m_value = 0;
    int32_t m_range = 0;
    int32_t m_position = 0;
    int32_t m_divisor = 1;
};
