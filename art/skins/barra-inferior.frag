  <!-- Bottom bar -->
  <rect x="0" y="455" width="640" height="25" fill="{{BARRA}}"/>
  <line x1="0" y1="454.5" x2="640" y2="454.5" stroke="{{ACENTO}}" stroke-opacity="0.9"/>
  <line x1="0" y1="455.5" x2="640" y2="455.5" stroke="{{BARRA_LUZ}}"/>
  <text x="10" y="472" font-family="{{SANS}}" font-size="8.5" font-weight="bold" font-style="italic" fill="{{ORO}}">{{MARCA}}</text>
  <text x="54" y="472" font-family="{{SANS}}" font-size="8" fill="{{TEXTO_SUAVE}}">versión 1.0   ·   Español  ·  Inglés  ·  Portugués  ·  Francés</text>
