// Tallix serial bridge: reads the machine's data connector and speaks TLX1 over USB serial,
// 115200 baud. Input k is the pin kPins[k]; a contact closed to GND reads low. The levels are
// sent raw: Tallix applies the pin map, the polarity and the debounce.
//
// Every pass of loop() reads the inputs and waits for nothing: a change is stamped with the
// board's clock when it is read and queued, and lines go out only as fast as the serial port
// takes them, a character a pass. Whatever the PC sends (Tallix's "?", a modem manager's "AT"
// probes, noise) costs one byte read a pass, so it never holds up the inputs. Changes go out
// first: the state ("S") is sent only when no change waits, so a flood of "?" gets one answer.
const uint8_t kPins[] = {2, 3, 4, 5, 6, 7, 8, 9};
const uint8_t kInputs = sizeof kPins;

// The input registers of the pins' ports, each read once a pass, so that pins of one port that
// change together are seen together (D2-D7 of an Uno); each pin's port among them and its bit.
// digitalRead() would look both up, and turn off the pin's PWM, on every call.
volatile uint8_t* ports[kInputs];
uint8_t portCount;
uint8_t pinPort[kInputs];
uint8_t pinBit[kInputs];

// The changes read and not yet sent, oldest first.
struct Change {
  unsigned long ms;
  uint8_t levels;
};
const uint8_t kQueueSize = 32;  // a power of 2: positions wrap with a mask
Change queue[kQueueSize];
uint8_t queueHead;
uint8_t queued;

// The line under way, "S <ms> <hex>" or "E <ms> <hex>" and "\r\n": the board's clock in ms,
// the levels in two hex digits. It is made a character a pass, as the port takes them. Each
// digit of the time is found by subtracting its place's power of ten: a division of 32 bits by
// 10 takes this chip some 25 µs a digit, and a pass that long would miss short pulses.
const unsigned long kPlaces[] = {1000000000, 100000000, 10000000, 1000000, 100000,
                                 10000,      1000,      100,      10,      1};
const uint8_t kDigits = sizeof kPlaces / sizeof kPlaces[0];
char lineKind;           // 'S' or 'E' while a line is under way, else 0
unsigned long lineRest;  // the part of its time still to write
uint8_t linePlace;       // the next decimal place of its time
uint8_t lineLevels;
uint8_t lineStep;  // 0 the kind, 1 a space, 2 the time, 3 a space, 4-5 the levels, 6-7 the end

uint8_t last;           // the levels last read
bool stateDue;          // an "S" line is asked for, or due
unsigned long stateAt;  // when the last one was made

uint8_t levels() {
  uint8_t read[kInputs];
  for (uint8_t p = 0; p < portCount; ++p) read[p] = *ports[p];
  uint8_t v = 0;
  uint8_t bit = 1;  // input k's bit; a shift by k would cost a loop of k shifts
  for (uint8_t k = 0; k < kInputs; ++k, bit <<= 1) {
    if (read[pinPort[k]] & pinBit[k]) v |= bit;
  }
  return v;
}

// Queues a change. A full queue (the inputs change faster than the port sends, for ever) takes
// the newest change in place of the one queued last: what Tallix hears last is always the
// inputs' latest levels.
void queueChange(unsigned long ms, uint8_t v) {
  if (queued < kQueueSize) ++queued;
  Change& c = queue[(queueHead + queued - 1) & (kQueueSize - 1)];
  c.ms = ms;
  c.levels = v;
}

char hexDigit(uint8_t d) { return d < 10 ? '0' + d : 'A' + d - 10; }

void startLine(char kind, unsigned long ms, uint8_t v) {
  lineKind = kind;
  lineRest = ms;
  lineLevels = v;
  lineStep = 0;
  linePlace = 0;
  while (linePlace < kDigits - 1 && ms < kPlaces[linePlace]) ++linePlace;  // no leading zeros
}

// The line's next character; the line is done after its "\n".
char nextChar() {
  switch (lineStep++) {
    case 0:
      return lineKind;
    case 1:
    case 3:
      return ' ';
    case 2: {
      char digit = '0';
      while (lineRest >= kPlaces[linePlace]) {
        lineRest -= kPlaces[linePlace];
        ++digit;
      }
      if (++linePlace < kDigits) lineStep = 2;
      return digit;
    }
    case 4:
      return hexDigit(lineLevels >> 4);
    case 5:
      return hexDigit(lineLevels & 0x0F);
    case 6:
      return '\r';
    default:
      lineKind = 0;
      return '\n';
  }
}

// One step of the output a pass, so that no pass takes long: a character of the line under way
// when the port has room for it, or, when no line is, the next one is begun: the oldest change,
// else the state when it is due. A character a pass is still many times the port's speed.
void send(unsigned long now, uint8_t v) {
  if (lineKind != 0) {
    if (Serial.availableForWrite() <= 0) return;
    // A USB port that no program has open takes nothing (Leonardo): the line is dropped, as a
    // UART's bytes are; Tallix asks for the state when it opens the port.
    if (Serial.write(nextChar()) == 0) lineKind = 0;
  } else if (queued > 0) {
    startLine('E', queue[queueHead].ms, queue[queueHead].levels);
    queueHead = (queueHead + 1) & (kQueueSize - 1);
    --queued;
  } else if (stateDue) {
    startLine('S', now, v);
    stateDue = false;
    stateAt = now;
  }
}

void setup() {
  for (uint8_t k = 0; k < kInputs; ++k) {
    pinMode(kPins[k], INPUT_PULLUP);
    volatile uint8_t* const port = portInputRegister(digitalPinToPort(kPins[k]));
    uint8_t p = 0;
    while (p < portCount && ports[p] != port) ++p;
    if (p == portCount) ports[portCount++] = port;
    pinPort[k] = p;
    pinBit[k] = digitalPinToBitMask(kPins[k]);
  }
  Serial.begin(115200);
  Serial.print("#TLX1 ");
  Serial.println(kInputs);
  last = levels();
  stateDue = true;
}

void loop() {
  const unsigned long now = millis();
  const uint8_t v = levels();
  if (v != last) queueChange(now, last = v);
  if (Serial.available() > 0 && Serial.read() == '?') stateDue = true;
  if (now - stateAt >= 1000) stateDue = true;
  send(now, v);
}
