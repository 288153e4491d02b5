// Tallix serial bridge: reads the machine's data connector and speaks TLX1 over USB serial,
// 115200 baud. Input k is the pin kPins[k]; a contact closed to GND reads low. The levels are
// sent raw: Tallix applies the pin map, the polarity and the debounce.
const uint8_t kPins[] = {2, 3, 4, 5, 6, 7, 8, 9};
const uint8_t kInputs = sizeof kPins;
uint8_t last;
unsigned long lastState;

uint8_t levels() {
  uint8_t v = 0;
  for (uint8_t k = 0; k < kInputs; ++k) {
    if (digitalRead(kPins[k]) == HIGH) v |= 1 << k;
  }
  return v;
}

// "S <ms> <hex>" or "E <ms> <hex>", the board's clock in ms and two hex digits.
void report(char kind, unsigned long ms, uint8_t v) {
  Serial.print(kind);
  Serial.print(' ');
  Serial.print(ms);
  Serial.print(v < 16 ? " 0" : " ");
  Serial.println(v, HEX);
}

void setup() {
  for (uint8_t k = 0; k < kInputs; ++k) pinMode(kPins[k], INPUT_PULLUP);
  Serial.begin(115200);
  Serial.print("#TLX1 ");
  Serial.println(kInputs);
  last = levels();
  lastState = millis();
  report('S', lastState, last);
}

void loop() {
  const unsigned long now = millis();
  const uint8_t v = levels();
  if (v != last) report('E', now, last = v);
  if (now - lastState >= 1000) report('S', lastState = now, v);
  while (Serial.available() > 0) {
    if (Serial.read() == '?') report('S', now, v);
  }
}
